// The temporary data area and the reporting the fuzz targets share.
#include "fuzz_data_area.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <streambuf>
#include <vector>

#include "fielddata/field_data_file.h"
#include "tools/errors.h"

namespace kavo::fuzzing {
namespace {

// A stream buffer that accepts and drops every character.
class DroppingBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char* /*s*/, std::streamsize n) override { return n; }
};

class DroppingStream : public std::ostream {
  public:
    DroppingStream() : std::ostream(&buffer_) {}

  private:
    DroppingBuffer buffer_;
};

std::string MakeTemporaryFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/kavo-fuzz-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder from " + pattern);
    }
    return buffer.data();
}

}  // namespace

FuzzDataArea::FuzzDataArea() : root_(MakeTemporaryFolder()), area_{root_, kProjectName} {
    const std::filesystem::path root(root_);
    std::filesystem::create_directories(root / "Projects" / kProjectName / "Soundings");
    std::filesystem::create_directories(root / "software");
    std::filesystem::create_directories(root / "SLD input");
}

FuzzDataArea::~FuzzDataArea() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void FuzzDataArea::Write(std::string_view relative, std::string_view bytes) const {
    std::ofstream out(std::filesystem::path(root_) / relative, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write the fuzz input " + std::string(relative));
    }
}

FuzzDataArea& FuzzDataArea::Get() {
    static FuzzDataArea dataArea;
    return dataArea;
}

FuzzReporting::FuzzReporting() {
    reporter.OpenTasksLog(std::make_unique<DroppingStream>(), "Kavo fuzz", "0.0", "2024-01-01",
                          "00:00:00");
    reporter.OpenTrace(std::make_unique<DroppingStream>());
}

void ReadAsTheProgramDoes(reporting::Reporter& reporter, const std::function<void()>& read) {
    try {
        read();
    } catch (const tools::DataError& error) {
        reporter.ReportDataError(error.description(), error.code());
    }
}

void ReadSoundingFile(std::string_view fileName, std::string_view bytes) {
    const FuzzDataArea& dataArea = FuzzDataArea::Get();
    dataArea.Write("Projects/ExampleOne/Soundings/" + std::string(fileName), bytes);
    FuzzReporting reporting;
    ReadAsTheProgramDoes(reporting.reporter, [&] {
        fielddata::FieldHeader header;
        fielddata::SoundingReadings readings;
        fielddata::ReadFieldDataFile(reporting.reporter, dataArea.area(), "FZ-01", header,
                                     readings);
    });
}

}  // namespace kavo::fuzzing
