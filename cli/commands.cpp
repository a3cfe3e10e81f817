#include "cli/command.h"

namespace orvetta::cli {
namespace {

// Every command may read an update file but history, which reads none.
constexpr OptionSet kLoadOptions =
    optionSet(OptionId::Edition, OptionId::On, OptionId::Sjis, OptionId::Lang, OptionId::Update, OptionId::NoUpdate);
constexpr OptionSet kLookupOptions =
    kLoadOptions | optionSet(OptionId::Reading, OptionId::Exact, OptionId::Pref, OptionId::Area);

// awards loads today's list (no --edition, no --on) with the update file.
constexpr OptionSet kAwardsOptions =
    optionSet(OptionId::Sjis, OptionId::Lang, OptionId::Update, OptionId::NoUpdate, OptionId::Band, OptionId::Mode,
              OptionId::Confirmed, OptionId::Tsv, OptionId::SkipVia, OptionId::List);

const Command kCommandTable[] = {
    {"number", "TEXT", false, false, kLookupOptions, runNumber},  // the place of one number
    {"city", "TEXT", false, false, kLookupOptions, runCity},      // cities and districts by name
    {"ward", "TEXT", false, false, kLookupOptions, runWard},      // wards, towns and villages by name
    {"dump", nullptr, false, false, kLoadOptions, runDump},
    {"history", "NUMBER", false, true, optionSet(OptionId::Edition, OptionId::Sjis, OptionId::Lang), runHistory},
    {"awards", "LOGFILE", true, true, kAwardsOptions, runAwards},  // a log checked against the award lists
};

}  // namespace

const Command* findCommand(const std::string& name) {
    for (const Command& command : kCommandTable)
        if (name == command.name) return &command;
    return nullptr;
}

}  // namespace orvetta::cli
