// The recovery snapshot of a project with unsaved changes and its record,
// kept in the per-user state folder with plain POSIX calls.
#pragma once

#include "model/file_io.h"

#include <cstdint>
#include <string>
#include <string_view>

// What tells one version of a file from another.
struct TFileIdentity {
    std::int64_t Size = -1; // -1: no such file
    std::int64_t MTimeNs = 0;
    std::uint64_t Inode = 0;
    friend bool operator==(const TFileIdentity&, const TFileIdentity&) = default;
};

TFileIdentity IdentityOf(const std::string& Path);

struct TRecoveryRecord {
    std::string Source;    // the project's file; empty for a new project
    std::int64_t Time = 0; // seconds since the epoch
    TFileIdentity Identity;
    friend bool operator==(const TRecoveryRecord&, const TRecoveryRecord&) = default;
};

std::string RecordText(const TRecoveryRecord& R);
// EFileFormatError naming FileName when Bytes is not a record.
TRecoveryRecord ParseRecord(std::string_view Bytes, const std::string& FileName);

// $SEGMARK_STATE_DIR, else $XDG_STATE_HOME/segmark/recovery, else
// ~/.local/state/segmark/recovery.
std::string RecoveryFolder();

class TRecoveryStore {
  public:
    explicit TRecoveryStore(std::string Folder) : FFolder(std::move(Folder)) {}
    const std::string& Folder() const { return FFolder; }
    std::string SnapshotPath() const { return FFolder + "/snapshot.sgp"; }
    std::string RecordPath() const { return FFolder + "/snapshot.rec"; }
    std::string DiscardFolder() const { return FFolder + "/discarded"; }

    bool HasSnapshot() const;
    // Creates the folder (0700) when missing; the record, then the snapshot,
    // each replaced whole. EFileError on failure.
    void Write(std::string_view ProjectBytes, const TRecoveryRecord& Record);
    // EFileError when the record is missing or damaged.
    TRecoveryRecord ReadRecord() const;
    void Remove();
    // Moves the snapshot and its record into discarded/, keeping the newest
    // five there; returns the snapshot's new path.
    std::string Discard();

    // Where tests make the writer fail.
    file_io_detail::SaveOptions Options;

  private:
    std::string FFolder;
};
