#include "cli/command.h"

namespace orvetta::cli {
namespace {

// Every command may read an update file but history, which reads none.
constexpr OptionSet kLoadOptions = optionSet(OptionId::Edition, OptionId::On, OptionId::Sjis, OptionId::Lang,
                                             OptionId::Update, OptionId::NoUpdate);
constexpr OptionSet kLookupOptions = kLoadOptions | optionSet(OptionId::Reading, OptionId::Exact, OptionId::Pref, OptionId::Area);

const Command kCommandTable[] = {
    {"number", "TEXT", false, kLookupOptions, runNumber},  // the place of one number
    {"city", "TEXT", false, kLookupOptions, runCity},      // cities and districts by name
    {"ward", "TEXT", false, kLookupOptions, runWard},      // wards, towns and villages by name
    {"dump", nullptr, false, kLoadOptions, runDump},
    {"history", "NUMBER", true, optionSet(OptionId::Edition, OptionId::Sjis, OptionId::Lang), runHistory},
};

}  // namespace

const Command* findCommand(const std::string& name) {
    for (const Command& command : kCommandTable)
        if (name == command.name) return &command;
    return nullptr;
}

}  // namespace orvetta::cli
