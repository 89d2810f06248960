// Splitting the lines of the system's comma-separated files into fields, key=value pairs
// and column IDs, and the breakdown listing of a split line.
#include "tools/line_split.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tools/errors.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"

namespace kavo::tools {

namespace {

enum class QuoteState { Outside, InQuote, AfterQuote };

// The field scan: positions are 1-based, as the boundaries between fields are counted.
class FieldScan {
  public:
    FieldScan(std::string_view line, bool blanksSeparate)
        : line_(line), blanksSeparate_(blanksSeparate) {}

    std::vector<std::string> Run() {
        const std::size_t length = line_.size();
        for (std::size_t i = 1; i <= length; ++i) {
            const char c = line_[i - 1];
            const bool separatingBlank = c == ' ' && blanksSeparate_;
            if (c == '"' && state_ == QuoteState::InQuote) {
                AppendSpan(start_ + 1, i - 1);  // the text between the quotes
                state_ = QuoteState::AfterQuote;
                start_ = i;
                seen_ = false;
            } else if (c == '"' && state_ == QuoteState::Outside) {
                // Text between the last separator and the opening quote is dropped.
                start_ = i;
                state_ = QuoteState::InQuote;
            }
            if (c == ',' && state_ != QuoteState::InQuote) {
                if (state_ == QuoteState::Outside) {
                    AppendSpan(start_ + 1, i - 1);
                } else {
                    state_ = QuoteState::Outside;  // what followed the closing quote is dropped
                }
                start_ = i;
                seen_ = false;
            }
            if (separatingBlank) {
                if (state_ == QuoteState::Outside && seen_) {
                    AppendSpan(start_ + 1, i);
                    start_ = i;
                    seen_ = false;
                }
                if (state_ == QuoteState::AfterQuote) {
                    state_ = QuoteState::Outside;
                    start_ = i;
                }
            }
            if (i == length) {
                AppendSpan(start_ + 1, i);
                break;
            }
            if (c != ',' && !separatingBlank) {
                seen_ = true;
            }
        }
        return std::move(fields_);
    }

  private:
    void AppendSpan(std::size_t from, std::size_t to) {
        if (to < from) {
            fields_.emplace_back();
        } else {
            fields_.push_back(TrimCopy(line_.substr(from - 1, to - from + 1)));
        }
    }

    std::string_view line_;
    bool blanksSeparate_;
    QuoteState state_ = QuoteState::Outside;
    std::size_t start_ = 0;
    bool seen_ = false;
    std::vector<std::string> fields_;
};

// A re-splitting pass stops after the last field, or after the field that lies 99 places
// beyond the count at the start of the pass.
constexpr std::size_t kPassReach = 99;

// Cuts fields again at every comma: "a,b" becomes a, b.
void ResplitAtCommas(std::vector<std::string>& fields) {
    const std::size_t lastAllowed = fields.size() + kPassReach;
    for (std::size_t k = 0; k < fields.size() && k < lastAllowed; ++k) {
        std::string field = TrimCopy(fields[k]);
        std::size_t comma = field.find(',');
        if (comma == std::string::npos) {
            continue;
        }
        fields[k] = TrimCopy(std::string_view(field).substr(0, comma));
        fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(k) + 1,
                      TrimCopy(std::string_view(field).substr(comma + 1)));
    }
}

// Cuts fields again at "=": "a=b" becomes a, =, b, and "=" stays a field of its own.
void ResplitAtEquals(std::vector<std::string>& fields) {
    const std::size_t lastAllowed = fields.size() + kPassReach;
    for (std::size_t k = 0; k < fields.size() && k < lastAllowed; ++k) {
        const std::string field = TrimCopy(fields[k]);
        const std::size_t equals = field.find('=');
        if (equals == std::string::npos || field == "=") {
            continue;
        }
        const std::string before = TrimCopy(std::string_view(field).substr(0, equals));
        const std::string after = TrimCopy(std::string_view(field).substr(equals + 1));
        std::vector<std::string> pieces;
        if (equals == 0) {
            pieces = {"=", after};
        } else if (equals == field.size() - 1) {
            pieces = {before, "="};
        } else {
            pieces = {before, "=", after};
        }
        fields[k] = pieces[0];
        fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(k) + 1, pieces.begin() + 1,
                      pieces.end());
    }
}

}  // namespace

std::vector<std::string> SplitLine(std::string_view line, const SplitOptions& options,
                                   std::size_t capacity, const BreakdownSink& breakdown) {
    std::vector<std::string> fields;
    if (!Trim(line).empty()) {
        if (std::count(line.begin(), line.end(), '"') % 2 != 0) {
            throw DataError("ER932",
                            "for line=`" + std::string(line) + "`, the quotos don't equal");
        }
        fields = FieldScan(line, options.blanksSeparate).Run();
        if (options.resplitCommas) {
            ResplitAtCommas(fields);
        }
        if (options.splitKeyValue) {
            ResplitAtEquals(fields);
        }
        // One trailing empty field is dropped; a second one stays.
        if (fields.size() >= 2 && Trim(fields.back()).empty()) {
            fields.pop_back();
        }
        if (fields.size() > capacity) {
            throw DataError("ER933", "for line=`" + std::string(line) + "`, " +
                                         IntegerText(static_cast<long long>(fields.size())) +
                                         " fields, more than the " +
                                         IntegerText(static_cast<long long>(capacity)) +
                                         " that such a line may hold");
        }
        if (breakdown) {
            breakdown(line, fields);
        }
    }
    return fields;
}

KeyValue SplitKeyValue(std::string_view line) {
    KeyValue result;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return result;
    }
    auto strip = [](std::string_view text) {
        auto isWrapper = [](char c) { return c == ',' || c == '"'; };
        text = Trim(text);
        while (!text.empty() && isWrapper(text.front())) {
            text.remove_prefix(1);
        }
        while (!text.empty() && isWrapper(text.back())) {
            text.remove_suffix(1);
        }
        return std::string(text);
    };
    result.key = strip(line.substr(0, equals));
    result.value = strip(line.substr(equals + 1));
    result.found = true;
    return result;
}

ColumnIdResult ColumnIdOf(std::string_view cell) {
    ColumnIdResult result;
    const std::size_t open = cell.find('{');
    if (open == std::string_view::npos) {
        result.id = "ENDOFLIST";  // the header's columns end here
        result.bad = true;
        return result;
    }
    const std::size_t close = cell.find('}', open);
    if (close == std::string_view::npos) {
        result.bad = true;  // an unclosed brace gives no ID
        return result;
    }
    result.id = UpperCopy(Trim(cell.substr(open + 1, close - open - 1)));
    return result;
}

std::optional<float> ParseSingle(std::string_view text) {
    std::optional<double> number = ParseNumber(text);
    // A number beyond the range of a single has no single value: it counts as missing.
    if (!number || std::fabs(*number) > static_cast<double>(std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    return static_cast<float>(*number);
}

float NumberOrNull(std::string_view text) {
    return ParseSingle(text).value_or(kNull);
}

std::vector<std::string> LineBreakdown(std::string_view line,
                                       const std::vector<std::string>& fields) {
    std::vector<std::string> lines;
    lines.push_back("LINE----->" + std::string(line) + "<-----");
    lines.emplace_back(" ");
    lines.emplace_back("#  item");
    if (fields.empty()) {
        lines.emplace_back("it's blank....");
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        lines.push_back(IntegerText(static_cast<long long>(i + 1)) + ") " + fields[i]);
    }
    return lines;
}

std::string SelfTestLine() {
    return std::string(" 1a, =2bc, ") + "\"" + "3abcd,, =,4abcde,,5abcdef=" + "\"" +
           ", ,6abc,, 7a 8";
}

std::vector<std::string> LineSplitSelfTest() {
    // The self-test's field array holds 22 fields.
    constexpr std::size_t kSelfTestCapacity = 22;
    const std::string line = SelfTestLine();
    const SplitOptions all{.splitKeyValue = true, .blanksSeparate = true, .resplitCommas = true};
    return LineBreakdown(line, SplitLine(line, all, kSelfTestCapacity));
}

}  // namespace kavo::tools
