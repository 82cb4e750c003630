#include "grid/clipboard_contract.h"
#include "grid/fake_clipboard.h"

#include <gtest/gtest.h>

TEST(FakeClipboard, KeepsTheClipboardContract) {
    FakeClipboard board;
    for (const std::string& f : ClipboardContractFailures(board, [&] { board = FakeClipboard{}; }))
        ADD_FAILURE() << f;
}
