#include "commandline/script_command.h"

#include <shellapi.h>

#include <algorithm>

namespace velmora {

namespace {

// The arguments as a C program's argv would hold them after its program name. CommandLineToArgvW
// reads its first word by the rules for a program path, so a stand-in name goes first.
std::vector<std::wstring> SplitArguments(const std::wstring& arguments) {
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW((L"vlm " + arguments).c_str(), &count);
    if (!words) return {};
    std::vector<std::wstring> split(words + (count > 0 ? 1 : 0), words + count);
    ::LocalFree(words);
    return split;
}

bool StartsLikeSwitch(const std::wstring& argument) {
    return !argument.empty() && (argument[0] == L'/' || argument[0] == L'-');
}

// The table's entry that an argument names ("/check", "-CHECK"), or null.
const ScriptSwitch* SwitchNamed(const std::wstring& argument, const std::vector<ScriptSwitch>& switches) {
    if (!StartsLikeSwitch(argument)) return nullptr;
    const std::wstring name = argument.substr(1);
    for (const ScriptSwitch& entry : switches) {
        if (::CompareStringOrdinal(name.c_str(), static_cast<int>(name.size()), entry.name.c_str(),
                                   static_cast<int>(entry.name.size()), TRUE) == CSTR_EQUAL) {
            return &entry;
        }
    }
    return nullptr;
}

ScriptCommand Bad(std::wstring name, std::wstring problem) {
    return {ScriptCommand::Kind::BadArguments, std::move(name), {}, std::move(problem)};
}

}  // namespace

// Which command lines are for scripts. The editor has always taken the rest of its command line as
// a file to fill its fields from ("vlm C:\a b\x.exe", quoted or not), and still does, unless:
// - the first argument is a known switch, "/" or "-" before its name in any case: that switch runs;
// - the first argument starts with "/" but names no switch: no path a user hands the editor starts
//   with "/", so it is a mistyped switch, refused with the usage. "-name" may be a file's name and
//   still goes to the editor;
// - a known switch comes later ("vlm x.reg /import"): refused too, as a script would otherwise wait
//   on an editor window that nobody sees. Only a hand-typed unquoted path with a blank followed by
//   exactly such a word would be read that way, and quotes keep it a path.
ScriptCommand ParseScriptCommand(const std::wstring& arguments, const std::vector<ScriptSwitch>& switches) {
    const std::vector<std::wstring> words = SplitArguments(arguments);
    if (words.empty()) return {};
    const ScriptSwitch* chosen = SwitchNamed(words[0], switches);
    if (!chosen) {
        if (words[0][0] == L'/') return Bad({}, L"Unknown switch: " + words[0]);
        for (const std::wstring& word : words) {
            if (SwitchNamed(word, switches)) return Bad({}, L"The switch " + word + L" must come first.");
        }
        return {};
    }
    const std::wstring shown = L"/" + chosen->name;
    const size_t expected = chosen->takesFile ? 2 : 1;
    if (chosen->takesFile && (words.size() < 2 || words[1].find_first_not_of(L" \t") == std::wstring::npos)) {
        return Bad(chosen->name, shown + L" needs a FILE.");
    }
    for (size_t at = 1; at < words.size(); ++at) {
        if (SwitchNamed(words[at], switches)) return Bad(chosen->name, L"Only one switch at a time: " + words[at]);
    }
    if (words.size() > expected) {
        return Bad(chosen->name, (chosen->takesFile ? shown + L" takes one FILE; too many arguments: "
                                                    : shown + L" takes no argument: ") +
                                     words[expected]);
    }
    return {ScriptCommand::Kind::Run, chosen->name, chosen->takesFile ? words[1] : L"", {}};
}

std::wstring ScriptUsage(const std::vector<ScriptSwitch>& switches) {
    std::wstring usage = L"Usage: vlm SWITCH, one of:";
    for (const ScriptSwitch& entry : switches) {
        std::wstring call = L"/" + entry.name + (entry.takesFile ? L" FILE" : L"");
        call.resize(std::max<size_t>(call.size() + 2, 16), L' ');
        usage += L"\n  " + call + entry.description;
    }
    return usage +
           L"\nSwitches may be written in any case, and with \"-\" for \"/\".\n"
           L"Exit code: 0 all done, 1 done in part, 2 nothing done, 3 Velmora is open.";
}

int RunScriptCommand(const ScriptCommand& command, const std::vector<ScriptSwitch>& switches, ScriptReport& report,
                     const std::function<bool()>& editorIsOpen) {
    const ScriptSwitch* chosen = nullptr;
    for (const ScriptSwitch& entry : switches) {
        if (entry.name == command.name) chosen = &entry;
    }
    if (command.kind != ScriptCommand::Kind::Run || !chosen || !chosen->run) {
        report.Line(command.problem.empty() ? L"Unknown switch: /" + command.name : command.problem);
        report.Line(ScriptUsage(switches));
        return kScriptNothingDone;
    }
    // The editor keeps its own copy of the list, which the command would make stale.
    if (editorIsOpen && editorIsOpen()) {
        report.Line(L"Velmora is open. Close it and run the command again.");
        return kScriptEditorOpen;
    }
    return chosen->run(command.file, report);
}

}  // namespace velmora
