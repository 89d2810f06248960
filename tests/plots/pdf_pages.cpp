#include "plots/pdf_pages.h"

#include <fstream>
#include <sstream>
#include <string>

namespace kavo::plots {

// Page objects are "/Type /Page"; the page tree's root is "/Type /Pages".
int PdfPageCount(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream contents;
    contents << in.rdbuf();
    const std::string pdf = contents.str();
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1)) {
        pages += pdf.compare(at, 12, "/Type /Pages") != 0 ? 1 : 0;
    }
    return pages;
}

}  // namespace kavo::plots
