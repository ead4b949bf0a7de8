#include "cli/arguments.h"

#include <algorithm>

namespace ravik::cli {

std::optional<Arguments> Arguments::parse(const std::vector<std::string>& args, const ArgumentRules& rules) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (rules.options.count(arg)) {
            if (i + 1 >= args.size()) return std::nullopt;
            parsed.values_[arg] = args[++i];
        } else if (rules.flags.count(arg)) {
            parsed.flags_.insert(arg);
        } else if (arg.starts_with("--")) {
            return std::nullopt;
        } else if (arg.empty()) {
            return std::nullopt;
        } else {
            parsed.positional_.push_back(arg);
        }
    }
    if (parsed.positional_.size() < rules.positionalMin || parsed.positional_.size() > rules.positionalMax)
        return std::nullopt;
    for (const std::string& option : rules.required)
        if (!parsed.values_.count(option)) return std::nullopt;
    return parsed;
}

std::string Arguments::value(const std::string& option, const std::string& fallback) const {
    const auto found = values_.find(option);
    return found == values_.end() ? fallback : found->second;
}

std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t comma = std::min(text.find(',', begin), text.size());
        if (comma > begin) parts.push_back(text.substr(begin, comma - begin));
        begin = comma + 1;
    }
    return parts;
}

} // namespace ravik::cli
