// The issues of the program's life counted by sounding and by kind: the table an engineer
// reads at the end of the log and in the run summary instead of thousands of issue lines.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kavo::reporting {

enum class IssueKind {
    OutOfRange,        // a column value outside its column's range
    PoorClosure,       // the exponent iteration did not close
    UnstableExponent,  // the exponent's low and high estimates lie too far apart
    Other,             // any other issue line
};

// What an issue line is about, as the summary counts it.
struct IssueClass {
    IssueKind kind = IssueKind::Other;
    std::string property;       // range issues: the column's property (Ic, SU1, ...)
    bool missingInput = false;  // range issues: the value was missing, not a real value
};

class IssueTally {
  public:
    // Counts one issue of `sounding` ("" for an issue met outside the soundings).
    void Add(std::string_view sounding, const IssueClass& issue);
    std::int64_t total() const { return all_.Total(); }
    void Clear() { *this = IssueTally{}; }

    // The summary table, one text per line, without indentation: a heading with the total,
    // the counts per sounding (in the order the soundings met their first issue) and the
    // counts per kind, range issues per property with missing inputs apart from real values.
    std::vector<std::string> SummaryLines() const;

  private:
    struct Counts {
        std::int64_t missingInput = 0;
        std::int64_t valueOutside = 0;
        std::int64_t closure = 0;
        std::int64_t unstable = 0;
        std::int64_t other = 0;
        std::int64_t Total() const {
            return missingInput + valueOutside + closure + unstable + other;
        }
        void Add(const IssueClass& issue);
    };
    std::vector<std::pair<std::string, Counts>> bySounding_;
    std::map<std::string, Counts> rangeByProperty_;
    Counts all_;
};

}  // namespace kavo::reporting
