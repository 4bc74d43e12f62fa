#include "data/pinyin.h"

#include "data/pinyintable.h"

#include <QByteArray>
#include <QTextCodec>
#include <string_view>

namespace {

// Row 0xA2, numbered symbols: the number each trail byte stands for, 0 for the gaps of the row.
int numberedSymbol(int trail)
{
    struct Run
    {
        int first;
        int last;
    };
    static constexpr Run runs[] = {
        {0xA1, 0xAA}, // small roman numerals i..x
        {0xB1, 0xC4}, // 1. .. 20.
        {0xC5, 0xD8}, // (1) .. (20)
        {0xD9, 0xE2}, // circled 1 .. 10
        {0xE5, 0xEE}, // parenthesised ideographic one .. ten
        {0xF1, 0xFC}, // capital roman numerals I..XII
    };
    for (const Run &run : runs) {
        if (trail >= run.first && trail <= run.last)
            return trail - run.first + 1;
    }
    return 0;
}

// Row 0xA6, Greek: capitals at 0xA1..0xB8 and small letters at 0xC1..0xD8, in alphabet order.
constexpr const char *kGreek[24] = {"a", "b", "g", "d", "e", "z", "e", "th", "i",  "k",  "l",  "m",
                                    "n", "x", "o", "p", "r", "s", "t", "u",  "ph", "kh", "ps", "o"};

// Row 0xA3 holds full-width ASCII at trail = code + 0x80; these are the ones that are kept.
bool isKeptFullWidth(int code)
{
    return code == '(' || code == ')' || code == '[' || code == ']' || (code >= '0' && code <= '9') ||
           (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
}

// Single bytes that pass through unchanged: letters, digits and these signs.
bool isKeptSingle(int byte)
{
    constexpr std::string_view signs = "!\"#$%&()*+-.:<>?@[]^";
    if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'))
        return true;
    return byte > 0 && byte < 0x80 && signs.find(static_cast<char>(byte)) != std::string_view::npos;
}

QTextCodec *gbkCodec()
{
    static QTextCodec *const codec = [] {
        QTextCodec *found = QTextCodec::codecForName("GBK");
        return found ? found : QTextCodec::codecForName("GB18030");
    }();
    return codec;
}

} // namespace

QString PinyinOfChar(const char *bytes, int count)
{
    if (!bytes || count < 1)
        return {};
    const int b1 = static_cast<unsigned char>(bytes[0]);
    const int b2 = count >= 2 ? static_cast<unsigned char>(bytes[1]) : -1;

    if (b1 >= 0x81 && b2 >= 0x40) {
        if (b1 == 0xA2) {
            const int number = b2 > 0xA0 ? numberedSymbol(b2) : 0;
            return number ? QString::number(number) : QString();
        }
        if (b1 == 0xA3) {
            const int code = b2 - 0x80;
            return isKeptFullWidth(code) ? QString(QChar(code)) : QString();
        }
        if (b1 == 0xA6) {
            if (b2 >= 0xA1 && b2 <= 0xB8)
                return QString::fromLatin1(kGreek[b2 - 0xA1]);
            if (b2 >= 0xC1 && b2 <= 0xD8)
                return QString::fromLatin1(kGreek[b2 - 0xC1]);
            return {};
        }
        // Lead 0xFF and trail 0xFF lie outside the index.
        if (b1 > kPinyinLeadLast || b2 > kPinyinTrailLast)
            return {};
        const int number = kPinyinIndex[(b1 - kPinyinLeadFirst) * kPinyinIndexRowSize + (b2 - kPinyinTrailFirst)];
        if (number <= 0 || number > kPinyinSyllableCount)
            return {};
        return QString::fromLatin1(kPinyinSyllables[number]);
    }

    // A single byte, or a lead byte followed by a byte below 0x40: the first byte alone decides.
    return isKeptSingle(b1) ? QString(QChar(b1)) : QString();
}

QString PinyinInitials(const QString &text)
{
    QTextCodec *codec = gbkCodec();
    if (!codec || text.isEmpty())
        return {};
    // Characters that GBK cannot hold become NUL bytes, which are dropped, rather than the codec's '?',
    // which would pass through as if it had been typed.
    QTextCodec::ConverterState state(QTextCodec::ConvertInvalidToNull);
    const QByteArray bytes = codec->fromUnicode(text.constData(), text.size(), &state);

    QString result;
    const int size = bytes.size();
    int pos = 0;
    while (pos < size) {
        const int taken = static_cast<unsigned char>(bytes[pos]) >= 0x81 && pos + 1 < size ? 2 : 1;
        const QString reading = PinyinOfChar(bytes.constData() + pos, taken);
        if (!reading.isEmpty())
            result += reading.at(0);
        pos += taken;
    }
    return result;
}
