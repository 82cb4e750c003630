// Whole-file reads and safe replacement of files, with plain POSIX calls.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

// A file that cannot be read or written, or whose content is damaged. The
// message names the file and what went wrong.
class EFileError : public std::runtime_error {
  public:
    EFileError(std::string FileName, const std::string& Message)
        : std::runtime_error(Message), fileName_(std::move(FileName)) {}
    const std::string& FileName() const { return fileName_; }

  private:
    std::string fileName_;
};

// A file that was read but whose content cannot be taken.
class EFileFormatError : public EFileError {
  public:
    using EFileError::EFileError;
};

bool FileExists(const std::string& Path);

// The bytes of the file; EFileError when it cannot be opened or read.
std::string ReadWholeFile(const std::string& Path);

// Replaces (or creates) Path with Bytes: writes a temporary file in the same
// folder, flushes it to disk and renames it over the target. On any failure
// the previous file is left as it was and EFileError is thrown.
void SaveFileAtomically(const std::string& Path, std::string_view Bytes);
