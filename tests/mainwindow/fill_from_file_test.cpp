#include "mainwindow/fill_from_file.h"

#include "buttons/shortcut_file.h"
#include "common/module_info.h"
#include "mainwindow/drop_target.h"
#include "settings/preferences.h"

#include "tests/support/scripted_editor_prompts.h"
#include "tests/support/shipped_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <map>
#include <memory>

namespace velmora {
namespace {

using T = TextField;
using C = CheckField;
using Texts = std::vector<std::wstring>;

// Records each notice with the file to launch as it was when the notice came.
struct NoticePrompts : testing::ScriptedEditorPrompts {
    void ShowNotice(Notice notice) override { shownOver.emplace_back(notice, fields->Text(T::Text1)); }
    EditorFields* fields = nullptr;
    std::vector<std::pair<Notice, std::wstring>> shownOver;
};

class FillFromFileTest : public ::testing::Test {
protected:
    // Fresh fields ("Synch All" as given, parameters "keep") filled by a drop or the command line.
    EditorFields& Fill(bool drop, const std::wstring& input, int synch = 1) {
        fields = std::make_unique<EditorFields>(prompts, settings, ProgramFolder());
        prompts.fields = fields.get();
        fields->SetCheck(C::Check2, synch);
        fields->SetText(T::Text5, L"keep");
        if (drop)
            DropOnEditor(*fields, prompts, settings, input);
        else
            FillFromFile(*fields, prompts, settings, input);
        return *fields;
    }

    NoticePrompts prompts;
    CRegSettings settings = RegistryStores().preferences;
    std::unique_ptr<EditorFields> fields;
    testing::TempFolder temp;
};

TEST_F(FillFromFileTest, FillsTheFieldsFromADropOrTheCommandLine) {
    const std::wstring notepad = testing::SystemFile(L"notepad.exe"), editor = temp.path() + L"My Editor.lnk",
                       tool = temp.path() + L"TOOL.LNK";
    ASSERT_TRUE(CreateShortcutFile(editor, notepad, L"", L"-n a.txt", L"", 0, 1));
    ASSERT_TRUE(CreateShortcutFile(tool, notepad, L"", L"", L"", 0, 1));
    const std::wstring spaced = L"C:\\My Tools\\run it.exe", runIt = L"run it", ed = L"My Editor";
    const bool drop = true, line = false;
    // The input, "Synch All"; the file to launch, button text, menu status bar text, menu text and
    // parameters then, "Derive from Filename" and "Use Program Icon".
    const struct {
        bool drop;
        std::wstring input;
        int synch;
        Texts texts;
        int derive, programIcon;
    } cases[] = {
        {drop, notepad, 1, {notepad, L"notepad", L"notepad", L"notepad", L"keep"}, 1, 1},
        {drop, notepad, 0, {notepad, L"notepad", L"", L"", L"keep"}, 1, 1},
        {line, notepad, 0, {notepad, L"notepad", L"notepad", L"notepad", L""}, 1, 1},
        {drop, editor, 0, {notepad, ed, ed, ed, L"-n a.txt"}, 0, 1},
        {line, L"\"" + editor + L"\"", 0, {notepad, ed, ed, ed, L"-n a.txt"}, 0, 1},
        {line, tool, 1, {notepad, L"TOOL", L"TOOL", L"TOOL", L""}, 0, 1},
        // Paths that do not exist: no program icon is found for them.
        {line, L"\"" + spaced + L"\"", 1, {spaced, runIt, runIt, runIt, L""}, 1, 0},
        {line, spaced, 1, {spaced, runIt, runIt, runIt, L""}, 1, 0},
        {line, L"\"" + spaced + L"\" \"C:\\b c.exe\" C:\\d.exe ", 1, {spaced, runIt, runIt, runIt, L""}, 1, 0},
        {line, L"C:\\a.exe \"C:\\b c.exe\"", 1, {L"C:\\a.exe", L"a", L"a", L"a", L""}, 1, 0},
        {line, L"\"", 0, {L"\"", L"\"", L"\"", L"\"", L""}, 1, 0},
        {drop, L" ", 1, {L"", L"", L"", L"", L"keep"}, 0, 0},  // blanks are no path: nothing changes
        {line, L"  ", 1, {L"", L"", L"", L"", L"keep"}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.input));
        const EditorFields& f = Fill(c.drop, c.input, c.synch);
        EXPECT_EQ((Texts{f.Text(T::Text1), f.Text(T::Text2), f.Text(T::Text3), f.Text(T::Text4), f.Text(T::Text5)}),
                  c.texts);
        EXPECT_EQ(f.Check(C::Check3), c.derive);
        EXPECT_EQ(f.Check(C::Check1), c.programIcon);
    }
}

// The drag-and-drop notice comes before any field changes unless "DD Message" turns it off; the
// program-icon notice may follow, also when "Use Program Icon" was ticked already.
TEST_F(FillFromFileTest, TheNoticesComeFirstUnlessTurnedOff) {
    const std::wstring notepad = testing::SystemFile(L"notepad.exe"), other = temp.path() + L"other.exe";
    ::CopyFileW(notepad.c_str(), other.c_str(), FALSE);
    const Notice drop = Notice::DragAndDrop, icon = Notice::ProgramIcon;
    // "DD Message" (null: none), and the notices with the file to launch each came over.
    const struct {
        const wchar_t* flag;
        std::vector<std::pair<Notice, std::wstring>> shownOver;
    } cases[] = {
        {nullptr, {{drop, L""}, {icon, notepad}, {drop, notepad}, {icon, other}}},
        {L"no", {{icon, notepad}, {icon, other}}},
    };
    for (const auto& c : cases) {
        if (c.flag) {
            ASSERT_TRUE(settings.SaveSetting(L"Messages", L"DD Message", c.flag));
        }
        prompts.shownOver.clear();
        FillFromFile(Fill(true, notepad), prompts, settings, other);
        EXPECT_EQ(prompts.shownOver, c.shownOver);
    }
    EXPECT_TRUE(prompts.boxes.shown.empty());
}

// A web address or a folder has no program icon: the icon chosen before stays, without a box. A
// relative path on the command line is taken from the current folder, as the console meant it.
TEST_F(FillFromFileTest, WebAddressesFoldersAndRelativePaths) {
    const std::wstring program = temp.WriteFile(L"tools\\x.exe", "");
    ASSERT_TRUE(::CopyFileW(testing::SystemFile(L"notepad.exe").c_str(), program.c_str(), FALSE));
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_TRUE(::SetCurrentDirectoryW(temp.path().c_str()));
    const bool drop = true, line = false;
    // The input, with "Use Program Icon" ticked before or not; the file to launch and the box then.
    const struct {
        bool drop;
        std::wstring input;
        int ticked;
        std::wstring file;
        int programIcon;
    } cases[] = {
        {drop, L"https://example.com/a?b=1", 0, L"https://example.com/a?b=1", 0},
        {line, L"https://example.com/", 1, L"https://example.com/", 0},
        {drop, temp.path() + L"tools", 1, temp.path() + L"tools", 0},
        {line, temp.path() + L"tools", 0, temp.path() + L"tools", 0},
        {line, L"tools\\x.exe", 0, program, 1},
        {line, L"\"tools\\x.exe\"", 1, program, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.input));
        EditorFields f(prompts, settings, ProgramFolder());
        prompts.fields = &f;
        f.LibraryIconNumber = 7;
        f.ShowLibraryIcon(7);
        if (c.ticked) f.UserTyped(T::Text1, program), f.UserClicked(C::Check1);
        if (c.drop)
            DropOnEditor(f, prompts, settings, c.input);
        else
            FillFromFile(f, prompts, settings, c.input);
        EXPECT_EQ(f.Text(T::Text1), c.file);
        EXPECT_EQ(f.Check(C::Check1), c.programIcon);
        EXPECT_EQ(f.Image1.libraryNumber, c.programIcon ? 0 : 7);
        EXPECT_TRUE(prompts.boxes.shown.empty());
    }
    ::SetCurrentDirectoryW(current);
}

// A drag of the test's own: the data, each clipboard format served as bytes in global memory, and
// the mouse button, let go once the drag has come over the window. It lives on the test's stack.
class TestDrag final : public IDataObject, public IDropSource {
public:
    explicit TestDrag(std::map<CLIPFORMAT, std::string> formats) : formats_(std::move(formats)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        const auto found = formats_.find(format->cfFormat);
        if (found == formats_.end() || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        *medium = {TYMED_HGLOBAL, {}, nullptr};
        medium->hGlobal = ::GlobalAlloc(GMEM_FIXED, found->second.size());  // the handle is the memory
        memcpy(medium->hGlobal, found->second.data(), found->second.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
        return formats_.count(f->cfFormat) ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override { return ++asked_ < 3 ? S_OK : DRAGDROP_S_DROP; }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    std::map<CLIPFORMAT, std::string> formats_;
    int asked_ = 0;
};

template <typename Char>
std::string Bytes(const std::basic_string<Char>& text) {
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(Char));
}

std::string FileList(const std::wstring& namesEachEndingInNul) {
    DROPFILES header{sizeof(DROPFILES), {}, FALSE, TRUE};
    return std::string(reinterpret_cast<const char*>(&header), sizeof(header)) + Bytes(namesEachEndingInNul);
}

TEST(DropAreaTest, OffersCopyForUsableDataOverTheAreaAndDeliversThePath) {
    ASSERT_EQ(::OleInitialize(nullptr), S_OK);
    // A window of its own (SS_NOTIFY: a static control is otherwise transparent to the mouse).
    HWND window = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 100, 100, 400,
                                    300, nullptr, nullptr, nullptr, nullptr);
    HWND frame = ::CreateWindowExW(0, L"BUTTON", L"Drop Target:", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 200, 0, 200, 300,
                                   window, nullptr, nullptr, nullptr);
    HWND field =
        ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 30, window, nullptr, nullptr, nullptr);
    Texts dropped;
    auto area = std::make_unique<DropArea>(
        window,
        std::vector<DropZone>{{{frame}, [&](const std::wstring& path) { dropped.push_back(path); }},
                              {{field}, [&](const std::wstring& text) { dropped.push_back(L"field " + text); }}});
    ASSERT_TRUE(area->registered());
    // The drop ends before its handler runs: the handler comes from the window's message queue.
    auto runPosted = [&] {
        MSG message;
        while (::PeekMessageW(&message, window, DropArea::kRunDropMessage, DropArea::kRunDropMessage, PM_REMOVE)) {
            area->RunPendingDrop();
        }
    };
    // A real drag of three files, let go over the frame: the first file comes.
    const std::string threeFiles = FileList(std::wstring(L"C:\\a b.exe\0C:\\c.exe\0C:\\d.exe\0", 30));
    TestDrag files({{CF_HDROP, threeFiles}});
    ::SetCursorPos(400, 250);
    DWORD effect = 0;
    EXPECT_EQ(::DoDragDrop(&files, &files, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_TRUE(dropped.empty());
    runPosted();
    EXPECT_EQ(dropped, Texts{L"C:\\a b.exe"});
    // Other data, over each zone and beside them.
    // The data, where it is let go, and what comes (null: "none", nothing dropped).
    const struct {
        std::map<CLIPFORMAT, std::string> formats;
        LONG x;
        const wchar_t* path;
    } cases[] = {
        {{{CF_UNICODETEXT, Bytes<wchar_t>(L"C:\\\u00c4rger\\\u03c8.exe\r\n")}, {CF_TEXT, Bytes<char>("C:\\x.exe")}},
         400,
         L"C:\\\u00c4rger\\\u03c8.exe"},
        {{{CF_TEXT, Bytes<char>("https://example.com/\r\n")}}, 400, L"https://example.com/"},
        {{{CF_HDROP, FileList(L"")}, {CF_UNICODETEXT, Bytes<wchar_t>(L" \t\r\nC:\\x.exe")}}, 400, nullptr},
        {{{CF_HDROP, threeFiles}}, 150, L"field C:\\a b.exe"},
        {{{CF_HDROP, threeFiles}}, 250, nullptr},  // in the window, beside the zones
        {{{CF_BITMAP, "x"}}, 400, nullptr},
    };
    for (const auto& c : cases) {
        TestDrag data(c.formats);
        dropped.clear();
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        const LONG y = c.x < 200 ? 110 : 250;
        area->target()->DragEnter(&data, MK_LBUTTON, {c.x, y}, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(c.path ? DROPEFFECT_COPY : DROPEFFECT_NONE));
        effect = DROPEFFECT_COPY;
        area->target()->Drop(&data, 0, {c.x, y}, &effect);
        runPosted();
        EXPECT_EQ(dropped, c.path ? Texts{c.path} : Texts{});
    }
    // Withdrawing the registration lets go of every reference to the target.
    IDropTarget* target = area->target();
    target->AddRef();
    area.reset();
    EXPECT_EQ(target->Release(), 0u);
    ::DestroyWindow(window);
    ::OleUninitialize();
}

}  // namespace
}  // namespace velmora
