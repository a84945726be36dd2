#include "CommandLineArguments.h"

#include "BackupName.h"
#include "platform/Windows1252Text.h"

#include <algorithm>
#include <cctype>
#include <numeric>
#include <optional>
#include <string_view>

namespace run {
namespace {

enum class Meaning { Help, Version, Json, KeepSymbols, Action };
enum class Takes { Nothing, BackupChoice, OptionalPath, Path };

struct OwnKeyword {
    std::string_view name; // upper case, without "/", "-" or "--"
    Meaning meaning;
    RunAction action = RunAction::Edit;
    Takes value = Takes::Nothing;
};

// A new keyword is a line here (an action also needs its RunAction).
constexpr OwnKeyword kOwnKeywords[] = {
    {"HELP", Meaning::Help},
    {"VERSION", Meaning::Version},
    {"JSON", Meaning::Json},
    {"DRYRUN", Meaning::Action, RunAction::DryRun},
    {"RESTORE", Meaning::Action, RunAction::Restore, Takes::BackupChoice},
    {"LIST", Meaning::Action, RunAction::List, Takes::OptionalPath},
    {"EXPORT", Meaning::Action, RunAction::Export, Takes::Path},
    {"IMPORT", Meaning::Action, RunAction::Import, Takes::Path},
    {"COMPARE", Meaning::Action, RunAction::Compare, Takes::Path},
    {"CONVERT", Meaning::Action, RunAction::Convert},
    {"KEEPSYMBOLS", Meaning::KeepSymbols},
};
constexpr std::string_view kHelpAliases[] = {"-h", "-?", "/?"};

const OwnKeyword& helpKeyword() {
    return *std::find_if(std::begin(kOwnKeywords), std::end(kOwnKeywords),
                         [](const OwnKeyword& k) { return k.meaning == Meaning::Help; });
}

// The configuration manager's keywords: never taken for a misspelling, and the
// argument after the bare keyword is its value, whatever it looks like.
constexpr std::string_view kManagerKeywords[] = {"EXTERNAL", "LOGFILE"};

enum class Kind {
    Own,            // one of kOwnKeywords
    Misspelt,       // close to one, or any other "-" argument: refused
    ManagerKeyword, // "/EXTERNAL", "/LOGFILE": its value follows
    Kept            // anything else, for the EXTERNAL and LOGFILE reading
};
struct Reading {
    Kind kind = Kind::Kept;
    const OwnKeyword* keyword = nullptr; // the own keyword it is or is near to
};

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

bool misspells(std::string_view letters, std::string_view keyword) {
    if (letters.starts_with(keyword) || (letters.size() >= 3 && keyword.starts_with(letters)))
        return true;
    return editDistance(letters, keyword) <= (keyword.size() < 6 ? 1u : 2u);
}

// The argument without its leading "--", "-" or "/"; nullopt without one.
std::optional<std::string_view> keywordPart(std::string_view argument) {
    for (std::string_view prefix : {"--", "-", "/"})
        if (argument.starts_with(prefix))
            return argument.substr(prefix.size());
    return std::nullopt;
}

Reading readArgument(std::string_view argument) {
    const auto name = keywordPart(argument);
    if (!name)
        return {};
    for (std::string_view alias : kHelpAliases)
        if (platform::equalsIgnoreCase(argument, alias))
            return {Kind::Own, &helpKeyword()};
    for (const OwnKeyword& keyword : kOwnKeywords)
        if (platform::equalsIgnoreCase(*name, keyword.name))
            return {Kind::Own, &keyword};

    std::string letters = platform::upperCase(*name);
    std::erase_if(letters, [](char c) { return c == '-' || c == '_'; });
    const auto near = std::find_if(std::begin(kOwnKeywords), std::end(kOwnKeywords),
                                   [&](const OwnKeyword& k) { return misspells(letters, k.name); });
    const OwnKeyword* suggestion = near == std::end(kOwnKeywords) ? nullptr : &*near;
    if (argument.starts_with('-'))
        return {Kind::Misspelt, suggestion};
    for (std::string_view keyword : kManagerKeywords)
        if (letters.starts_with(keyword))
            return {platform::equalsIgnoreCase(*name, keyword) ? Kind::ManagerKeyword : Kind::Kept};
    return {suggestion ? Kind::Misspelt : Kind::Kept, suggestion};
}

// Whether the argument after /LIST is an argument of its own rather than the
// file: one of the program's keywords, the manager's (/EXTERNAL=SILENT too),
// or an option spelt with "-". Anything else, "/list.txt" too, is the file.
bool isAnotherArgument(std::string_view argument) {
    const Reading reading = readArgument(argument);
    if (reading.kind == Kind::Own || reading.kind == Kind::ManagerKeyword ||
        argument.starts_with('-'))
        return true;
    const std::string letters = platform::upperCase(keywordPart(argument).value_or(""));
    return std::any_of(
        std::begin(kManagerKeywords), std::end(kManagerKeywords),
        [&](std::string_view keyword) { return !letters.empty() && letters.starts_with(keyword); });
}

std::string inQuotes(std::string_view argument) {
    return "'" + std::string(argument) + "'";
}

CommandLineError unknownOption(std::string_view argument, const OwnKeyword* suggestion) {
    std::string message = "unknown option " + inQuotes(argument);
    if (suggestion) {
        // In the user's spelling: "--dryrun" for "--dry-run", "/DRYRUN" for "/DRYRUNX".
        const std::string_view prefix =
            argument.substr(0, argument.size() - keywordPart(argument)->size());
        std::string name(suggestion->name);
        if (prefix != "/")
            std::transform(name.begin(), name.end(), name.begin(), [](char c) {
                return char(std::tolower(static_cast<unsigned char>(c)));
            });
        message += "; did you mean " + std::string(prefix) + name + "?";
    }
    return {message};
}

} // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    RunCommandLine run;
    std::string_view action; // the argument that named the run's action
    const auto keep = [&](std::string_view argument) {
        if (!run.commandLine.empty())
            run.commandLine += ' ';
        run.commandLine += argument;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const Reading reading = readArgument(argument);
        if (reading.kind == Kind::Misspelt)
            return unknownOption(argument, reading.keyword);
        if (reading.kind != Kind::Own) {
            keep(argument);
            if (reading.kind == Kind::ManagerKeyword && i + 1 < arguments.size())
                keep(arguments[++i]);
            continue;
        }
        const OwnKeyword& keyword = *reading.keyword;
        switch (keyword.meaning) {
        case Meaning::Help:
            return HelpRequested{};
        case Meaning::Version:
            return VersionRequested{};
        case Meaning::Json:
            run.request.json = true;
            continue;
        case Meaning::KeepSymbols:
            run.request.keepSymbols = true;
            continue;
        case Meaning::Action:
            break;
        }
        // A dry run may show what an import or a conversion would change.
        const auto showable = [](RunAction a) {
            return a == RunAction::Import || a == RunAction::Convert;
        };
        const bool dryShow =
            !action.empty() && run.request.dryRunOf == RunAction::Edit &&
            ((run.request.action == RunAction::DryRun && showable(keyword.action)) ||
             (showable(run.request.action) && keyword.action == RunAction::DryRun));
        if (dryShow)
            run.request.dryRunOf =
                keyword.action == RunAction::DryRun ? run.request.action : keyword.action;
        else if (!action.empty())
            return CommandLineError{"one action per run: " + inQuotes(action) + " and " +
                                    inQuotes(argument)};
        action = argument;
        run.request.action = dryShow ? RunAction::DryRun : keyword.action;
        if (keyword.value == Takes::Nothing)
            continue;
        if (keyword.value == Takes::Path) {
            if (i + 1 == arguments.size())
                return CommandLineError{inQuotes(argument) + " takes a " +
                                        (keyword.action == RunAction::Compare ? "folder" : "file")};
            run.request.actionPath = arguments[++i];
            continue;
        }
        if (i + 1 == arguments.size())
            continue;
        const std::string& next = arguments[i + 1];
        if (keyword.value == Takes::OptionalPath) {
            if (!isAnotherArgument(next))
                run.request.actionPath = arguments[++i];
        } else if (platform::equalsIgnoreCase(next, "LIST") || isBackupName(next)) {
            run.request.restoreValue = platform::upperCase(next);
            ++i;
        } else if (readArgument(next).kind == Kind::Kept) {
            return CommandLineError{inQuotes(argument) +
                                    " takes LIST or a name yyyy-mm-dd_hh-mm-ss, not " +
                                    inQuotes(next)};
        }
    }
    const bool importing =
        run.request.action == RunAction::Import || run.request.dryRunOf == RunAction::Import;
    if (run.request.keepSymbols && !importing)
        return CommandLineError{"'/KEEPSYMBOLS' goes with /IMPORT only"};
    return run;
}

} // namespace run
