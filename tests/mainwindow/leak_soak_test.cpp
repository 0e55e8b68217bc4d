// A soak of the editor's button commands: 500 rounds of add, edit, update and delete, the icon
// kinds taking turns, leave no GDI or USER objects, list images or memory behind.
#include "tests/support/editor_command_parts.h"
#include "tests/support/shipped_files.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace velmora {
namespace {

// The rounds make 2 000 commands (1 500 of them writing the registry and files). The margins
// over the figures after the first round of each icon kind: a leaked icon or bitmap every 200
// commands, 8 bytes of heap per command, 128 bytes of private memory per command.
constexpr int kRounds = 500;
constexpr long kObjectMargin = 10;
constexpr long long kHeapMargin = 16 * 1024;
constexpr long long kPrivateMargin = 256 * 1024;

// The GDI and USER objects this process holds, give or take a constant. Wine's GetGuiResources
// answers 0, but Wine keeps every icon's pictures as bitmaps in the process's own GDI handle
// table, so there the entries taken are counted by making bitmaps until the table is full.
long GuiObjectsInUse() {
    const HANDLE process = ::GetCurrentProcess();
    const long counted = ::GetGuiResources(process, GR_GDIOBJECTS) + ::GetGuiResources(process, GR_USEROBJECTS);
    if (counted != 0) return counted;
    std::vector<HBITMAP> taken;
    for (HBITMAP bitmap; taken.size() < 200000 && (bitmap = ::CreateBitmap(1, 1, 1, 1, nullptr));) {
        taken.push_back(bitmap);
    }
    for (HBITMAP bitmap : taken) ::DeleteObject(bitmap);
    return 200000 - static_cast<long>(taken.size());
}

// The process's private memory. Wine leaves PrivateUsage at 0 and gives its figure (the process's
// anonymous memory) as PagefileUsage, which on Windows equals PrivateUsage.
long long PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters);
    return static_cast<long long>(counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage);
}

// The bytes allocated and not freed in the process's heaps: exact, where the private memory
// moves with what the heaps keep in reserve.
long long HeapBytesInUse() {
    HANDLE heaps[256];
    const DWORD count = std::min<DWORD>(::GetProcessHeaps(256, heaps), 256);
    long long inUse = 0;
    for (DWORD i = 0; i < count; ++i) {
        PROCESS_HEAP_ENTRY entry = {};
        ::HeapLock(heaps[i]);
        while (::HeapWalk(heaps[i], &entry)) inUse += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ? entry.cbData : 0;
        ::HeapUnlock(heaps[i]);
    }
    return inUse;
}

enum class Kind { Program, Disk, Library };

TEST(LeakSoak, AddEditUpdateAndDeleteWithEveryIconKindLeaveNothingBehind) {
    ComApartment apartment;  // as vlm holds OLE on its thread
    GuiObjectsInUse();       // what counting makes the system set up is not counted
    testing::EditorCommandParts parts;
    testing::TempFolder& folder = parts.folder;
    testing::ScriptedEditorPrompts& prompts = parts.prompts;
    ButtonList& list = parts.list;
    EditorFields& fields = parts.fields;
    EditorCommands& commands = parts.commands;
    const std::wstring diskIcon =
        folder.WriteFile(L"chosen\\star.ico", testing::ReadFileBytes(testing::ShippedLibraryIcon(L"7.ico")));

    // The icon choice as the user makes it: the program's own icon, an ".ico" file, a library icon.
    auto choose = [&](Kind kind, int number) {
        if (kind == Kind::Program && fields.Check(CheckField::Check1) == 0) fields.UserClicked(CheckField::Check1);
        if (kind == Kind::Disk) prompts.openAnswers.push_back(diskIcon), fields.Command5_Click();
        if (kind == Kind::Library) prompts.libraryAnswers.push_back(2 + number % 20), fields.Command3_Click();
    };
    int failed = 0;
    auto add = [&](Kind kind, int number, const std::wstring& parameters) {
        fields.UserTyped(TextField::Text1, testing::SystemFile(L"notepad.exe"));
        fields.UserTyped(TextField::Text2, L"Button " + std::to_wstring(number));
        fields.UserTyped(TextField::Text5, parameters);
        choose(kind, number);
        failed += !commands.Command2_Click();
    };
    // A button that stays: every delete writes the rows that remain again.
    add(Kind::Library, 0, L"");
    // A round adds a button below it, edits and updates it to the next icon kind and deletes it;
    // the kinds take turns from round to round. Every 25th button has parameters and so a
    // shortcut file: Wine starts a helper process for every shortcut saved, which takes longer
    // than a whole round.
    auto round = [&](int number) {
        add(static_cast<Kind>(number % 3), number, number % 25 == 0 ? L"/a" : L"");
        commands.Command7_Click(1);
        fields.UserTyped(TextField::Text2, L"Updated " + std::to_wstring(number));
        choose(static_cast<Kind>((number + 1) % 3), number);
        prompts.boxes.Answer(IDYES);
        failed += !commands.Command4_Click(1);
        prompts.boxes.Answer(IDYES);
        failed += !commands.Command8_Click(1);
        failed += list.rows.size() != 1 || !prompts.openAnswers.empty() || !prompts.libraryAnswers.empty();
        // What the round recorded goes; the records' capacity stays.
        prompts.boxes.shown.clear(), prompts.notices.clear(), prompts.openDialogs.clear();
        prompts.libraryOpenedWith.clear(), prompts.opened.clear();
    };

    // The figures to keep to are those after the first round of each icon kind. Memory is read
    // before the objects are counted, which takes and frees 65 536 bitmaps under Wine.
    for (int number = 0; number < 3; ++number) round(number);
    ASSERT_EQ(failed, 0);
    const long long privateBytes = PrivateBytes(), heapBytes = HeapBytesInUse();
    const long objects = GuiObjectsInUse();
    const int images = parts.images.Count();
    const auto start = std::chrono::steady_clock::now();
    for (int number = 3; number < kRounds && failed == 0; ++number) round(number);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_EQ(failed, 0);

    const long long privateGrowth = PrivateBytes() - privateBytes, heapGrowth = HeapBytesInUse() - heapBytes;
    const long objectGrowth = GuiObjectsInUse() - objects;
    std::printf(
        "Leak soak: %d rounds in %lld ms; growth: %+ld GDI/USER objects, %+lld heap bytes, %+lld KB private "
        "memory; list images %d -> %d\n",
        kRounds, static_cast<long long>(took.count()), objectGrowth, heapGrowth, privateGrowth / 1024, images,
        parts.images.Count());
    EXPECT_LE(objectGrowth, kObjectMargin);
    EXPECT_LE(heapGrowth, kHeapMargin);
    EXPECT_LE(privateGrowth, kPrivateMargin);
    // Images no row shows any more are used again: no more than the first rounds left.
    EXPECT_LE(parts.images.Count(), images);
}

}  // namespace
}  // namespace velmora
