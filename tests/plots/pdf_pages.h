// The number of pages of a PDF file, counted from its page objects.
#pragma once

#include <filesystem>

namespace kavo::plots {

int PdfPageCount(const std::filesystem::path& file);

}  // namespace kavo::plots
