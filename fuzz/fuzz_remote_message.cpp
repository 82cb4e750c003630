// Whatever reaches the window's local socket, and whatever a reader of the
// sheet gets back: a message is either refused, waited for, or read whole,
// and a read message encodes back to exactly the bytes it took; its cell
// text always fits the cell's input limit. A request is held to the small
// limit, the window's answer to the sheet's.
#include "app/remote_message.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(std::string_view Bytes, std::size_t MaxText) {
    TRemoteMessage m;
    std::size_t used = 0;
    switch (DecodeRemoteMessage(Bytes, m, used, MaxText)) {
    case TRemoteParse::Bad:
        return;
    case TRemoteParse::Incomplete:
        if (Bytes.size() >= RemoteHeaderSize + MaxText) std::abort();
        return;
    case TRemoteParse::Ok:
        break;
    }
    if (used > Bytes.size() || m.Text.size() > MaxText ||
        EncodeRemoteMessage(m) != Bytes.substr(0, used))
        std::abort();
    if (m.Kind < rkClearNow || m.Kind > rkSheetState) std::abort();
    if (CellInputText(m.Text).size() > 255) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes, MaxRemoteText);
    Check(bytes, MaxSheetStateText);
    return 0;
}
