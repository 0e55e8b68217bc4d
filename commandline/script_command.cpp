#include "commandline/script_command.h"

#include "common/report_text.h"

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

bool SameName(const std::wstring& first, const std::wstring& second) {
    return ::CompareStringOrdinal(first.c_str(), static_cast<int>(first.size()), second.c_str(),
                                  static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

// "/name" or "-name" in any case, for one of the names given.
bool IsWord(const std::wstring& argument, std::initializer_list<const wchar_t*> names) {
    if (!StartsLikeSwitch(argument)) return false;
    return std::any_of(names.begin(), names.end(),
                       [&](const wchar_t* name) { return SameName(argument.substr(1), name); });
}

bool IsHelp(const std::wstring& argument) {
    return IsWord(argument, {L"?", L"help"});
}

// The table's entry that an argument names ("/check", "-CHECK"), or null.
const ScriptSwitch* SwitchNamed(const std::wstring& argument, const std::vector<ScriptSwitch>& switches) {
    for (const ScriptSwitch& entry : switches) {
        if (IsWord(argument, {entry.name.c_str()})) return &entry;
    }
    return nullptr;
}

ScriptCommand Bad(std::wstring name, std::wstring problem) {
    return {ScriptCommand::Kind::BadArguments, std::move(name), {}, false, std::move(problem)};
}

}  // namespace

// Which command lines are for scripts. The editor has always taken the rest of its command line as
// a file to fill its fields from ("vlm C:\a b\x.exe", quoted or not), and still does, unless:
// - an argument is "/?" or "/help": the usage, whatever else the line holds;
// - the first argument is a known switch, "/" or "-" before its name in any case: that switch runs;
//   "/y" for a switch that takes it may come before or after its FILE;
// - the first argument starts with "/" but names no switch: no path a user hands the editor starts
//   with "/", so it is a mistyped switch, refused with the usage. "-name" may be a file's name and
//   still goes to the editor;
// - a known switch comes later ("vlm x.reg /import"): refused too, as a script would otherwise wait
//   on an editor window that nobody sees. Only a hand-typed unquoted path with a blank followed by
//   exactly such a word would be read that way, and quotes keep it a path.
ScriptCommand ParseScriptCommand(const std::wstring& arguments, const std::vector<ScriptSwitch>& switches) {
    const std::vector<std::wstring> words = SplitArguments(arguments);
    if (words.empty()) return {};
    if (std::any_of(words.begin(), words.end(), IsHelp)) return {ScriptCommand::Kind::Help, {}, {}, false, {}};
    const ScriptSwitch* chosen = SwitchNamed(words[0], switches);
    if (!chosen) {
        if (words[0][0] == L'/') return Bad({}, L"Unknown switch: " + PrintableText(words[0], kQuotedTextLimit));
        for (const std::wstring& word : words) {
            if (SwitchNamed(word, switches)) return Bad({}, L"The switch " + word + L" must come first.");
        }
        return {};
    }
    const std::wstring shown = L"/" + chosen->name;
    std::vector<std::wstring> rest;
    bool replace = false;
    for (size_t at = 1; at < words.size(); ++at) {
        if (chosen->takesReplace && IsWord(words[at], {L"y"})) {
            replace = true;
        } else {
            rest.push_back(words[at]);
        }
    }
    if (chosen->takesFile && (rest.empty() || rest[0].find_first_not_of(L" \t") == std::wstring::npos)) {
        return Bad(chosen->name, shown + L" needs a FILE.");
    }
    for (const std::wstring& word : rest) {
        if (SwitchNamed(word, switches)) return Bad(chosen->name, L"Only one switch at a time: " + word);
    }
    const size_t expected = chosen->takesFile ? 1 : 0;
    if (rest.size() > expected) {
        return Bad(chosen->name, (chosen->takesFile ? shown + L" takes one FILE; too many arguments: "
                                                    : shown + L" takes no argument: ") +
                                     PrintableText(rest[expected], kQuotedTextLimit));
    }
    return {ScriptCommand::Kind::Run, chosen->name, chosen->takesFile ? rest[0] : L"", replace, {}};
}

std::wstring ArgumentsOfCommandLine(const std::wstring& commandLine) {
    // The program's name ends at its closing quote, or unquoted at the first blank.
    size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        at = commandLine.find(L'"', 1);
        at = at == std::wstring::npos ? commandLine.size() : at + 1;
    } else {
        at = std::min(commandLine.find_first_of(L" \t"), commandLine.size());
    }
    at = std::min(commandLine.find_first_not_of(L" \t", at), commandLine.size());
    return commandLine.substr(at);
}

std::wstring ScriptUsage(const std::vector<ScriptSwitch>& switches) {
    // Each call, then its description in a column of its own.
    std::vector<std::pair<std::wstring, std::wstring>> rows;
    for (const ScriptSwitch& entry : switches) {
        rows.push_back({L"/" + entry.name + (entry.takesFile ? L" FILE" : L"") + (entry.takesReplace ? L" [/y]" : L""),
                        entry.description});
    }
    rows.push_back({L"/?", L"Shows this text (also /help)."});
    size_t column = 14;
    for (const auto& [call, description] : rows) column = std::max(column, call.size() + 2);
    std::wstring usage = L"Usage: vlm SWITCH, one of:";
    for (auto [call, description] : rows) {
        call.resize(column, L' ');
        usage += L"\n  " + call + description;
    }
    return usage +
           L"\nSwitches may be written in any case, and with \"-\" for \"/\".\n"
           L"Exit code: 0 all done, 1 done in part, 2 nothing done, 3 Velmora is open or busy.";
}

ExitCode RunScriptCommand(const ScriptCommand& command, const std::vector<ScriptSwitch>& switches, ScriptReport& report,
                          const std::function<bool()>& editorIsOpen, unsigned long lockWait) {
    if (command.kind == ScriptCommand::Kind::Help) {
        report.Line(ScriptUsage(switches));
        return ExitCode::Done;
    }
    const ScriptSwitch* chosen = nullptr;
    for (const ScriptSwitch& entry : switches) {
        if (entry.name == command.name) chosen = &entry;
    }
    if (command.kind != ScriptCommand::Kind::Run || !chosen || !chosen->run) {
        report.Line(command.problem.empty() ? L"Unknown switch: /" + command.name : command.problem);
        report.Line(ScriptUsage(switches));
        return ExitCode::NothingDone;
    }
    // One command at a time, and never in the middle of one of the editor's operations: a reader
    // reads one state, a writer's buttons are never mixed with another's.
    const ButtonsLock lock(lockWait);
    if (!lock.owned()) {
        report.Line(kCommandBusyText);
        return ExitCode::EditorOpen;
    }
    // The editor keeps its own copy of the list, which a command that writes would make stale.
    if (chosen->writes && editorIsOpen && editorIsOpen()) {
        report.Line(L"Velmora is open. Close it and run the command again.");
        return ExitCode::EditorOpen;
    }
    return chosen->run(command, report);
}

}  // namespace velmora
