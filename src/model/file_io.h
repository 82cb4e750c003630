// Whole-file reads and safe replacement of files, with plain POSIX calls.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

// A file that cannot be read or written, or whose content is damaged. The
// message names the file and what went wrong.
class EFileError : public std::runtime_error {
  public:
    EFileError(std::string FileName, const std::string& Message)
        : std::runtime_error(Message), FFileName(std::move(FileName)) {}
    const std::string& FileName() const { return FFileName; }

  private:
    std::string FFileName;
};

// A file that was read but whose content cannot be taken.
class EFileFormatError : public EFileError {
  public:
    using EFileError::EFileError;
};

// A regular file (or a link to one) exists at Path.
bool FileExists(const std::string& Path);
// A folder (or a link to one) exists at Path.
bool FolderExists(const std::string& Path);
// Both paths name one existing file, also through a symbolic or hard link.
bool SameFile(const std::string& A, const std::string& B);

// The bytes of the file; EFileError when it cannot be opened or read.
std::string ReadWholeFile(const std::string& Path);

// Replaces (or creates) Path with Bytes: writes a temporary file in the same
// folder, flushes it to disk and renames it over the target, so the target
// holds the whole old file or the whole new one. The temporary is unnamed
// where the filesystem allows, so an interrupted save leaves nothing behind.
// A symbolic link is kept and its target replaced; the replaced file's
// permission bits (and owner, where allowed) are kept. A target that is not
// a regular file, a link to nothing, a loop of links and a read-only file
// are refused. On any failure the previous file is left as it was, no
// temporary remains and EFileError is thrown.
void SaveFileAtomically(const std::string& Path, std::string_view Bytes);

namespace file_io_detail {
// The steps of a save at which a test can step in: Fault is called before
// each (Write halfway through the bytes) and a non-zero result fails that
// step with that error number. The product uses the defaults.
enum class SaveStep { Write, Sync, Rename };
struct SaveOptions {
    std::function<int(SaveStep)> Fault;
    bool UnnamedTemporary = true;
};
void SaveFileAtomically(const std::string& Path, std::string_view Bytes,
                        const SaveOptions& Options);
} // namespace file_io_detail
