#pragma once

#include <QIODevice>
#include <filesystem>
#include <string>

#include "platform/files/posix/UniqueFd.h"

namespace ostrelin::platform::printing::pdf {

// A file that a document is written into, as a device for Qt's writers, which do not tell when
// a write fails: it keeps the first failure, so that a document cut short by a full disk is
// known as such. The file is opened for writing, emptied, when the object is made; whoever made
// the file holds its lock.
class OutputFile final : public QIODevice {
  public:
    // Throws ostrelin::Error naming the file and the cause when it cannot be opened.
    explicit OutputFile(const std::filesystem::path& path);

    // Writes everything out to the disk and closes the file. Throws ostrelin::Error naming the
    // folder and the cause when anything written to it did not reach the disk.
    void Commit();

    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

  private:
    [[noreturn]] void Fail(int error) const;

    std::filesystem::path path_;
    files::UniqueFd fd_;
    int firstError_ = 0;
};

}  // namespace ostrelin::platform::printing::pdf
