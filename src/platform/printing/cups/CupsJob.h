#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace ostrelin::platform::printing::cups {

// Submits the PDF file `pdf` to destination `name` as one job named `title` with the given job
// attributes; returns the job's id. Throws ostrelin::Error with CUPS' own message on failure.
int SubmitPdfJob(const std::string& name, const std::string& title,
                 const std::vector<std::pair<std::string, std::string>>& options,
                 const std::filesystem::path& pdf);

}  // namespace ostrelin::platform::printing::cups
