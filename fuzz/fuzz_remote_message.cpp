// Whatever reaches the window's local socket: a message is either refused,
// waited for, or read whole, and a read message encodes back to exactly the
// bytes it took; its cell text always fits the cell's input limit.
#include "app/remote_message.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TRemoteMessage m;
    std::size_t used = 0;
    switch (DecodeRemoteMessage(bytes, m, used)) {
    case TRemoteParse::Bad:
        return 0;
    case TRemoteParse::Incomplete:
        if (size >= RemoteHeaderSize + MaxRemoteText) std::abort();
        return 0;
    case TRemoteParse::Ok:
        break;
    }
    if (used > size || EncodeRemoteMessage(m) != bytes.substr(0, used)) std::abort();
    if (CellInputText(m.Text).size() > 255) std::abort();
    return 0;
}
