#pragma once
// The shape every ravik-cli command's arguments take: positional words (the race
// path first, then e.g. files), `--option VALUE` options and `--flag` flags.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ravik::cli {

struct ArgumentRules {
    std::set<std::string> options{};  // each takes the next word as its value
    std::set<std::string> flags{};    // each stands alone
    std::set<std::string> required{}; // options that must be given
    std::size_t positionalMin = 1, positionalMax = 1;
};

class Arguments {
public:
    // nullopt when a word starting with "--" is none of the rules' names, an option
    // lacks its value, a required option is missing, a positional word is empty or
    // the positional words are too few or too many. A repeated option keeps its last value.
    static std::optional<Arguments> parse(const std::vector<std::string>& args, const ArgumentRules& rules);

    const std::vector<std::string>& positional() const { return positional_; }
    // The first positional word; empty when there is none.
    std::string racePath() const { return positional_.empty() ? std::string() : positional_.front(); }
    // Whether the option or flag was given.
    bool has(const std::string& name) const { return values_.count(name) > 0 || flags_.count(name) > 0; }
    // The option's value, or `fallback` when it was not given.
    std::string value(const std::string& option, const std::string& fallback = {}) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
};

// "A,B,,C" -> {"A", "B", "C"}: the lists of --classes and --stages (empty parts left out).
std::vector<std::string> splitAtCommas(const std::string& text);

} // namespace ravik::cli
