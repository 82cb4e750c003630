#include "app/remote_message.h"

#include "grid/cell_input.h"
#include "text/codepage.h"
#include "text/sjis.h"

#include <algorithm>

namespace {

constexpr std::string_view Tag = "SGMK";

void PutU32(std::string& Out, std::uint32_t V) {
    for (int i = 0; i < 4; ++i)
        Out += static_cast<char>((V >> (8 * i)) & 0xFF);
}

std::uint32_t GetU32(std::string_view B, std::size_t At) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(B[At + static_cast<std::size_t>(i)]);
    return v;
}

} // namespace

std::string EncodeRemoteMessage(const TRemoteMessage& M) {
    std::string out(Tag);
    out += static_cast<char>(RemoteVersion);
    out += static_cast<char>(M.Kind);
    PutU32(out, static_cast<std::uint32_t>(M.Moves));
    PutU32(out, static_cast<std::uint32_t>(M.Text.size()));
    out += M.Text;
    return out;
}

TRemoteParse DecodeRemoteMessage(std::string_view B, TRemoteMessage& Out, std::size_t& Used,
                                 std::size_t MaxText) {
    // Check what has arrived as soon as it arrives, so a stranger is dropped
    // before it can make the window wait for more.
    const std::size_t tag = std::min(B.size(), Tag.size());
    if (B.substr(0, tag) != Tag.substr(0, tag)) return TRemoteParse::Bad;
    if (B.size() > 4 && static_cast<std::uint8_t>(B[4]) != RemoteVersion) return TRemoteParse::Bad;
    if (B.size() > 5) {
        const auto kind = static_cast<std::uint8_t>(B[5]);
        if (kind < rkClearNow || kind > rkSheetState) return TRemoteParse::Bad;
    }
    if (B.size() < RemoteHeaderSize) return TRemoteParse::Incomplete;
    const std::uint32_t length = GetU32(B, 10);
    if (length > MaxText) return TRemoteParse::Bad;
    if (B.size() < RemoteHeaderSize + length) return TRemoteParse::Incomplete;
    Out.Kind = static_cast<TRemoteKind>(B[5]);
    Out.Moves = static_cast<std::int32_t>(GetU32(B, 6));
    Out.Text.assign(B.substr(RemoteHeaderSize, length));
    Used = RemoteHeaderSize + length;
    return TRemoteParse::Ok;
}

std::string CellInputText(std::string_view Utf8) {
    return CutCellInput(text::ToCodePage(Utf8));
}
