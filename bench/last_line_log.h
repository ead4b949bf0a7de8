#pragma once
// A log that keeps only its last line: a benchmark that logs at every pass would
// otherwise measure a growing log, not the pass.
#include "core/log.h"

#include <string>

class LastLineLog : public ravik::Log {
public:
    void append(const std::string& line) override { last_ = line; }
    std::string lastLine() const override { return last_; }

private:
    std::string last_;
};
