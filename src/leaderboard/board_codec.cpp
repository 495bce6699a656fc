// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_codec.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace leaderboard {
namespace {

// Names are stored as Chinese Windows stores them, in code page 936, and a
// character that code page lacks takes GB18030's four bytes. The two agree
// on all but a few codes: 80 ("€") and FF stand alone in code page 936 only,
// and some two-byte codes mean private-use characters there but other
// characters in GB18030. The board's bytes are turned into GB18030 and back
// by swapping those codes, found once by comparing ICU's tables of both.
constexpr char Gb18030[] = "GB18030";
constexpr char CodePage936[] = "windows-936";

// A character's bytes, one to four, as one number.
quint32 packed(QByteArrayView bytes)
{
    quint32 code = 0;
    for (char c : bytes)
        code = code << 8 | quint8(c);
    return code;
}

void appendPacked(QByteArray &to, quint32 code)
{
    for (int shift = code > 0xFFFF ? 24 : code > 0xFF ? 8 : 0; shift >= 0; shift -= 8)
        to.append(char(code >> shift));
}

// The codes one side writes otherwise than the other, and the first bytes of
// those codes, so that most characters need no look-up.
struct Swaps
{
    QHash<quint32, quint32> codes;
    std::array<bool, 256> leads{};

    void add(quint32 from, quint32 to)
    {
        codes.insert(from, to);
        leads[from > 0xFFFF ? from >> 24 : from > 0xFF ? from >> 8 : from] = true;
    }
};

struct CodeSwaps
{
    bool valid = false;
    Swaps toBoard;
    Swaps fromBoard;
};

std::optional<QString> decoded(const char *encoding, const QByteArray &bytes)
{
    QStringDecoder decoder(encoding);
    QString text = decoder.decode(bytes);
    if (!decoder.isValid() || decoder.hasError())
        return std::nullopt;
    return text;
}

// Only bytes that read back as the text.
std::optional<QByteArray> encoded(const char *encoding, const QString &text)
{
    QStringEncoder encoder(encoding);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError() || decoded(encoding, bytes) != text)
        return std::nullopt;
    return bytes;
}

const CodeSwaps &codeSwaps()
{
    static const CodeSwaps swaps = [] {
        CodeSwaps made;
        auto swap = [&made](const QString &character, const std::optional<QByteArray> &onBoard) {
            const std::optional<QByteArray> inGb = encoded(Gb18030, character);
            if (!inGb || !onBoard)
                return false;
            made.toBoard.add(packed(*inGb), packed(*onBoard));
            made.fromBoard.add(packed(*onBoard), packed(*inGb));
            return true;
        };
        QByteArray pairs;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail != 0x7F)
                    pairs.append(char(lead)).append(char(trail));
            }
        }
        const std::optional<QString> inWindows = decoded(CodePage936, pairs), inGb = decoded(Gb18030, pairs);
        if (!inWindows || !inGb || inWindows->size() != pairs.size() / 2 || inGb->size() != pairs.size() / 2)
            return made;
        for (qsizetype i = 0; i < inWindows->size(); ++i) {
            const QString windowsChar = inWindows->mid(i, 1), gbChar = inGb->mid(i, 1);
            if (windowsChar == gbChar)
                continue;
            // Code page 936's character keeps the code. GB18030's goes where
            // code page 936 has it, or else takes the four bytes GB18030 gives
            // the other one, now free; never the code, which would read back
            // as another character.
            const std::optional<QByteArray> gbCharInWindows = encoded(CodePage936, gbChar);
            if (!swap(windowsChar, pairs.mid(2 * i, 2)) ||
                !swap(gbChar, gbCharInWindows ? gbCharInWindows : encoded(Gb18030, windowsChar)))
                return made;
        }
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const QByteArray code(1, char(byte));
            const std::optional<QString> character = decoded(CodePage936, code);
            if (character && !character->isEmpty() && !decoded(Gb18030, code) && !swap(*character, code))
                return made;
        }
        made.valid = true;
        return made;
    }();
    return swaps;
}

// Swaps the codes of each character, cut as GB18030 cuts them; a byte that
// starts no character becomes U+FFFD. Written for speed: a board may hold a
// MiB of characters, and most text needs no swap and no copy.
QByteArray swapCodes(const QByteArray &from, const Swaps &swaps)
{
    static const QByteArray replacement =
        encoded(Gb18030, QString(QChar::ReplacementCharacter)).value_or("?");
    const auto *bytes = reinterpret_cast<const uchar *>(from.data());
    const qsizetype size = from.size();
    const bool *swappedLead = swaps.leads.data();
    QByteArray to;      // made at the first swap
    qsizetype kept = 0; // the bytes before this one stay as they are
    for (qsizetype i = 0; i < size;) {
        const uchar lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        if (lead >= 0x81 && lead <= 0xFE && i + 1 < size) {
            const uchar second = bytes[i + 1];
            if (second >= 0x40 && second <= 0xFE && second != 0x7F)
                length = 2;
            else if (second >= 0x30 && second <= 0x39 && i + 3 < size && bytes[i + 2] >= 0x81 &&
                     bytes[i + 2] <= 0xFE && bytes[i + 3] >= 0x30 && bytes[i + 3] <= 0x39)
                length = 4;
        }
        if (length > 0 && !swappedLead[lead]) {
            i += length;
            continue;
        }
        if (to.isNull())
            to.reserve(size);
        to.append(QByteArrayView(from).sliced(kept, i - kept));
        const QByteArrayView code = QByteArrayView(from).sliced(i, qMax(length, 1));
        if (const auto swapped = swaps.codes.constFind(packed(code)); swapped != swaps.codes.cend())
            appendPacked(to, *swapped);
        else if (length == 0)
            to.append(replacement);
        else
            to.append(code);
        i += code.size();
        kept = i;
    }
    if (to.isNull())
        return from;
    to.append(QByteArrayView(from).sliced(kept));
    return to;
}

} // namespace

bool boardCodecAvailable()
{
    return codeSwaps().valid;
}

QString decodeBoardText(const QByteArray &bytes)
{
    return QStringDecoder(Gb18030).decode(swapCodes(bytes, codeSwaps().fromBoard));
}

std::optional<QByteArray> encodeBoardText(QStringView text)
{
    QStringEncoder encoder(Gb18030);
    const QByteArray gb = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        return std::nullopt;
    return swapCodes(gb, codeSwaps().toBoard);
}

} // namespace leaderboard
