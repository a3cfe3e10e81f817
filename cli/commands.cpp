#include "cli/command.h"

namespace orvetta::cli {
namespace {

constexpr OptionSet kLookupOptions = optionSet(OptionId::Edition, OptionId::On, OptionId::Reading, OptionId::Pref,
                                               OptionId::Area, OptionId::Sjis);

const Command kCommandTable[] = {
    {"number", "TEXT", false, kLookupOptions, runNumber},  // the place of one number
    {"city", "TEXT", false, kLookupOptions, runCity},      // cities and districts by name
    {"ward", "TEXT", false, kLookupOptions, runWard},      // wards, towns and villages by name
    {"dump", nullptr, false, optionSet(OptionId::Edition, OptionId::On, OptionId::Sjis), runDump},
    {"history", "NUMBER", true, optionSet(OptionId::Edition, OptionId::Sjis), runHistory},
};

}  // namespace

const Command* findCommand(const std::string& name) {
    for (const Command& command : kCommandTable)
        if (name == command.name) return &command;
    return nullptr;
}

}  // namespace orvetta::cli
