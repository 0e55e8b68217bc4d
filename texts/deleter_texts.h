// The texts the deleter (vlmbd) shows, in one place.
#pragma once

#include "texts/shared_texts.h"

namespace velmora {

inline constexpr const wchar_t* kDeleterCaption = L"Velmora Button Deleter";
inline constexpr const wchar_t* kDeleterHeading =
    L"This program deletes all buttons added to IE's toolbar with Velmora.";
inline constexpr const wchar_t* kDeleterAdvice =
    L"Use this program only if you are having problems starting Velmora. These problems are usually a result of "
    L"an incompatibility between some display adapters and the way the program displays certain icons. After "
    L"deleting all added buttons, it is recommended that you only use icons from VLM's built-in icon library on "
    L"future added buttons until we release an updated version of the program which fixes the above mentioned "
    L"issues.";
inline constexpr const wchar_t* kDeleteButtonText = L"Delete All Added Buttons";
inline constexpr const wchar_t* kConfirmTitle = L"Please Confirm";
inline constexpr const wchar_t* kConfirmText = L"Are you sure you wish to delete all added buttons?";
inline constexpr const wchar_t* kSuccessTitle = L"Success";
inline constexpr const wchar_t* kSuccessText = L"All added buttons have been successful deleted.";
inline constexpr const wchar_t* kRemainTitle = L"Some Buttons Remain";

}  // namespace velmora
