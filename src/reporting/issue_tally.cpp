// Counting issues by sounding and kind, and the summary table of the counts.
#include "reporting/issue_tally.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace kavo::reporting {
namespace {

constexpr const char* kOutsideSoundings = "(outside soundings)";

// A table with a left-aligned first column and right-aligned number columns, each as wide
// as its title or its widest entry.
class CountTable {
  public:
    explicit CountTable(std::vector<std::string> titles) : titles_(std::move(titles)) {}
    // A row: its name and the counts of the columns after the first; fewer counts leave the
    // last columns empty.
    void AddRow(std::string name, std::vector<std::int64_t> counts) {
        rows_.push_back({std::move(name), std::move(counts)});
    }
    void AppendTo(std::vector<std::string>& lines) const {
        std::vector<std::size_t> widths;
        for (const std::string& title : titles_) {
            widths.push_back(title.size());
        }
        for (const Row& row : rows_) {
            widths[0] = std::max(widths[0], row.name.size() + 2);
            for (std::size_t c = 0; c < row.counts.size(); ++c) {
                widths[c + 1] = std::max(widths[c + 1], std::to_string(row.counts[c]).size());
            }
        }
        std::string heading = Padded(titles_[0], widths[0]);
        for (std::size_t c = 1; c < titles_.size(); ++c) {
            heading += "  " + Aligned(titles_[c], widths[c]);
        }
        lines.push_back(heading);
        for (const Row& row : rows_) {
            std::string line = Padded("  " + row.name, widths[0]);
            for (std::size_t c = 0; c < row.counts.size(); ++c) {
                line += "  " + Aligned(std::to_string(row.counts[c]), widths[c + 1]);
            }
            lines.push_back(line);
        }
    }

  private:
    struct Row {
        std::string name;
        std::vector<std::int64_t> counts;
    };
    static std::string Padded(const std::string& text, std::size_t width) {
        return text + std::string(width - std::min(width, text.size()), ' ');
    }
    static std::string Aligned(const std::string& text, std::size_t width) {
        return std::string(width - std::min(width, text.size()), ' ') + text;
    }
    std::vector<std::string> titles_;
    std::vector<Row> rows_;
};

}  // namespace

void IssueTally::Counts::Add(const IssueClass& issue) {
    switch (issue.kind) {
        case IssueKind::OutOfRange:
            ++(issue.missingInput ? missingInput : valueOutside);
            return;
        case IssueKind::PoorClosure:
            ++closure;
            return;
        case IssueKind::UnstableExponent:
            ++unstable;
            return;
        case IssueKind::Other:
            ++other;
            return;
    }
}

void IssueTally::Add(std::string_view sounding, const IssueClass& issue) {
    const std::string_view name = sounding.empty() ? std::string_view(kOutsideSoundings) : sounding;
    // A sounding's issues come one after the other: its entry is mostly the last one.
    Counts* counts = nullptr;
    for (auto it = bySounding_.rbegin(); it != bySounding_.rend() && counts == nullptr; ++it) {
        if (it->first == name) {
            counts = &it->second;
        }
    }
    if (counts == nullptr) {
        counts = &bySounding_.emplace_back(std::string(name), Counts{}).second;
    }
    counts->Add(issue);
    if (issue.kind == IssueKind::OutOfRange) {
        rangeByProperty_[issue.property].Add(issue);
    }
    all_.Add(issue);
}

std::vector<std::string> IssueTally::SummaryLines() const {
    std::vector<std::string> lines;
    if (all_.Total() == 0) {
        lines.push_back("Issue summary: no issues");
        return lines;
    }
    lines.push_back("Issue summary: " + std::to_string(all_.Total()) + " issues");

    lines.push_back("(out of range: missing = a missing input, outside = a real value beyond it)");
    CountTable soundings(
        {"Issues by sounding", "issues", "missing", "outside", "closure", "unstable", "other"});
    auto countsOf = [](const Counts& counts) {
        return std::vector<std::int64_t>{counts.Total(), counts.missingInput, counts.valueOutside,
                                         counts.closure, counts.unstable,     counts.other};
    };
    for (const auto& [name, counts] : bySounding_) {
        soundings.AddRow(name, countsOf(counts));
    }
    soundings.AddRow("all soundings", countsOf(all_));
    soundings.AppendTo(lines);

    CountTable kinds({"Issues by kind", "issues", "missing", "outside"});
    for (const auto& [property, counts] : rangeByProperty_) {
        kinds.AddRow("out of range: " + property,
                     {counts.Total(), counts.missingInput, counts.valueOutside});
    }
    const std::pair<const char*, std::int64_t> others[] = {
        {"poor closure of exponent c", all_.closure},
        {"unstable exponent c", all_.unstable},
        {"other", all_.other}};
    for (const auto& [name, count] : others) {
        if (count > 0) {
            kinds.AddRow(name, {count});
        }
    }
    kinds.AppendTo(lines);
    return lines;
}

}  // namespace kavo::reporting
