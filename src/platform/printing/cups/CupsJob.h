#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace ostrelin::platform::printing::cups {

// Submits the PDF file `pdf` to destination `name` as one job named `title` with the given job
// attributes; returns the job's id. `whileSending` runs between the pieces of the file sent, so
// that the program can handle waiting events meanwhile. Throws ostrelin::Error naming the printer
// when the job cannot be submitted (the scheduler not running, the queue gone or not accepting
// jobs, the job refused); nothing of it is left at the scheduler then.
int SubmitPdfJob(const std::string& name, const std::string& title,
                 const std::vector<std::pair<std::string, std::string>>& options,
                 const std::filesystem::path& pdf, const std::function<void()>& whileSending);

}  // namespace ostrelin::platform::printing::cups
