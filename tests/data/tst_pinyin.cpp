#include "common/testregistry.h"
#include "data/pinyin.h"

#include <QRegularExpression>
#include <QTextCodec>
#include <QtTest>

// Pinyin initials of tenant names: readings of Chinese characters, the GBK symbol rows, the ASCII that passes
// through, malformed byte sequences, and the coverage of the character index.
class TestPinyin : public QObject
{
    Q_OBJECT

    static QTextCodec *gbk() { return QTextCodec::codecForName("GBK"); }

    static QString ofCode(int code)
    {
        const char bytes[2] = {char(code >> 8), char(code & 0xFF)};
        return PinyinOfChar(bytes, 2);
    }

    // The character Qt's GBK codec gives for a double-byte code, or a null QChar when the code holds none
    // (undefined, user-defined or mapped into the private use area).
    static QChar gbkCharacter(int code)
    {
        const char bytes[2] = {char(code >> 8), char(code & 0xFF)};
        QTextCodec::ConverterState state;
        const QString text = gbk()->toUnicode(bytes, 2, &state);
        if (state.invalidChars != 0 || text.size() != 1 || text.at(0).category() == QChar::Other_PrivateUse)
            return {};
        return text.at(0);
    }

    static bool isWithoutReading(int code)
    {
        return code == 0x83C0 || code == 0xAD9F || (code >= 0xFD9C && code <= 0xFDA0) ||
               (code >= 0xFE40 && code <= 0xFE4F);
    }

    // Adds data rows (code, reading) for symbolRows().
    static void addSymbolRows(std::initializer_list<std::pair<int, const char *>> rows)
    {
        for (const auto &[code, reading] : rows)
            QTest::addRow("%04X", code) << code << QString(reading);
    }

private slots:
    void initTestCase() { QVERIFY(gbk()); }

    void tellingRows_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("reading");
        // The last three are the other readings of the list that are no Mandarin syllables.
        const struct
        {
            const char *character;
            int code;
            const char *reading;
        } rows[] = {{"张", 0xD5C5, "zhang"}, {"长", 0xB3A4, "zhang"}, {"重", 0xD6D8, "zhong"}, {"行", 0xD0D0, "hang"},
                    {"曾", 0xD4F8, "ceng"},  {"单", 0xB5A5, "dan"},   {"解", 0xBDE2, "jie"},   {"仇", 0xB3F0, "chou"},
                    {"查", 0xB2E9, "cha"},   {"朴", 0xC6D3, "pu"},    {"区", 0xC7F8, "qu"},    {"乐", 0xC0D6, "le"},
                    {"尉", 0xCEBE, "wei"},   {"翟", 0xB5D4, "zhai"},  {"覃", 0xF1FB, "tan"},   {"缪", 0xE7D1, "miu"},
                    {"厦", 0xCFC3, "sha"},   {"率", 0xC2CA, "lv"},    {"萬", 0xC866, "wan"},   {"乫", 0x8166, "kal"},
                    {"乬", 0x8167, "keol"},  {"乭", 0x8168, "tol"},   {"屗", 0x8CCB, "uu"}};
        for (const auto &row : rows)
            QTest::newRow(row.character) << QString::fromUtf8(row.character) << row.code << QString(row.reading);
    }

    void tellingRows()
    {
        QFETCH(QString, character);
        QFETCH(int, code);
        QFETCH(QString, reading);
        // Qt's codec places the character where the table was built for it.
        QCOMPARE(gbk()->fromUnicode(character).toHex().toUpper(), QByteArray::number(code, 16).toUpper());
        QCOMPARE(ofCode(code), reading);
        QCOMPARE(PinyinInitials(character), reading.left(1));
    }

    void initials_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("initials");
        const struct
        {
            const char *tag;
            const char *text;
            const char *initials;
        } rows[] = {
            {"empty", "", ""},
            {"three z", "张长重", "zzz"},
            {"ceng hang", "曾行", "ch"},
            {"name, space, A1", "王小明 A1", "wxmA1"},
            {"ASCII case kept", "Abc张xY", "AbczxY"},
            {"GBK extension", "萬乫", "wk"},
            {"full-width A1", "Ａ１", "A1"},
            {"full-width brackets, small", "（ｘ）［Ｙ］", "(x)[Y]"},
            {"full-width signs dropped", "！，＋＾＿～", ""},
            {"circled ten", "⑩", "1"},
            {"numbered symbols", "ⅹ⒛⑵㈢Ⅻ", "12231"},
            {"Greek", "Θεω", "teo"},
            {"Chinese punctuation", "、。“”《》【】", ""},
            {"kana", "あいアイ", ""},
            {"Cyrillic", "ЖжЯ", ""},
            {"box drawing", "─│┼╬", ""},
            {"pinyin letters with tones", "āé", ""},
            {"euro sign", "€5", "5"},
            // Characters GBK cannot hold are dropped; a typed question mark is kept.
            {"outside GBK dropped", "𠮷李😀", "l"},
            {"typed question mark", "张?", "z?"},
        };
        for (const auto &row : rows)
            QTest::newRow(row.tag) << QString::fromUtf8(row.text) << QString::fromUtf8(row.initials);
    }

    void initials()
    {
        QFETCH(QString, text);
        QFETCH(QString, initials);
        QCOMPARE(PinyinInitials(text), initials);
    }

    void symbolRows_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("reading");
        // Row 0xA2: the numbers of the numbered symbols, nothing in the gaps.
        addSymbolRows({{0xA240, ""},   {0xA2A0, ""},   {0xA2A1, "1"}, {0xA2AA, "10"}, {0xA2AB, ""},  {0xA2B0, ""},
                       {0xA2B1, "1"},  {0xA2C4, "20"}, {0xA2C5, "1"}, {0xA2D8, "20"}, {0xA2D9, "1"}, {0xA2E2, "10"},
                       {0xA2E3, ""},   {0xA2E4, ""},   {0xA2E5, "1"}, {0xA2EE, "10"}, {0xA2F0, ""},  {0xA2F1, "1"},
                       {0xA2FC, "12"}, {0xA2FD, ""},   {0xA2FE, ""}});
        // Row 0xA3: full-width letters, digits and brackets only.
        addSymbolRows({{0xA3A8, "("}, {0xA3A9, ")"}, {0xA3B0, "0"}, {0xA3B9, "9"}, {0xA3C1, "A"}, {0xA3DA, "Z"},
                       {0xA3DB, "["}, {0xA3DD, "]"}, {0xA3E1, "a"}, {0xA3FA, "z"}, {0xA3A1, ""},  {0xA3A4, ""},
                       {0xA3AC, ""},  {0xA3AF, ""},  {0xA3BF, ""},  {0xA3C0, ""},  {0xA3DC, ""},  {0xA3DE, ""},
                       {0xA3DF, ""},  {0xA3E0, ""},  {0xA3FB, ""},  {0xA3FE, ""},  {0xA340, ""},  {0xA3A0, ""}});
        // Row 0xA6: the two Greek alphabets (see greekAlphabet), nothing around them.
        addSymbolRows({{0xA6A0, ""}, {0xA6B9, ""}, {0xA6C0, ""}, {0xA6D9, ""}, {0xA6E0, ""}, {0xA640, ""}});
    }

    void symbolRows()
    {
        QFETCH(int, code);
        QFETCH(QString, reading);
        QCOMPARE(ofCode(code), reading);
    }

    void greekAlphabet()
    {
        const char *const letters[24] = {"a", "b", "g", "d", "e", "z", "e", "th", "i",  "k",  "l",  "m",
                                         "n", "x", "o", "p", "r", "s", "t", "u",  "ph", "kh", "ps", "o"};
        for (int i = 0; i < 24; ++i) {
            QCOMPARE(ofCode(0xA6A1 + i), QString(letters[i]));
            QCOMPARE(ofCode(0xA6C1 + i), QString(letters[i]));
        }
        QCOMPARE(PinyinInitials("ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ"), QString("abgdezetiklmnxoprstupkpo"));
    }

    void byteSequences_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reading");
        QTest::newRow("lead byte alone") << QByteArray("\xD5", 1) << "";
        QTest::newRow("lead byte, digit") << QByteArray("\xD5"
                                                        "1",
                                                        2)
                                          << "";
        QTest::newRow("lead byte, question mark") << QByteArray("\xD5?", 2) << "";
        QTest::newRow("lead byte, space") << QByteArray("\x81 ", 2) << "";
        QTest::newRow("lead byte, NUL") << QByteArray("\xD5\0", 2) << "";
        QTest::newRow("trail 0x40 is a code") << QByteArray("\x81\x40", 2) << "kao";
        QTest::newRow("trail 0x7F") << QByteArray("\xD5\x7F", 2) << "";
        QTest::newRow("lead 0xFF") << QByteArray("\xFF\xA1", 2) << "";
        QTest::newRow("lead 0xFF, low trail") << QByteArray("\xFF\x41", 2) << "";
        QTest::newRow("trail 0xFF") << QByteArray("\xD5\xFF", 2) << "";
        QTest::newRow("trail 0xFF, first lead") << QByteArray("\x81\xFF", 2) << "";
        QTest::newRow("0x80 is no lead byte") << QByteArray("\x80\xA1", 2) << "";
        QTest::newRow("ASCII pair, first decides") << QByteArray("A1", 2) << "A";
        QTest::newRow("single letter") << QByteArray("a", 1) << "a";
        QTest::newRow("last code") << QByteArray("\xFE\xFE", 2) << "";
    }

    void byteSequences()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reading);
        QCOMPARE(PinyinOfChar(bytes.constData(), bytes.size()), reading);
    }

    void noBytes()
    {
        QCOMPARE(PinyinOfChar(nullptr, 2), QString());
        QCOMPARE(PinyinOfChar("A", 0), QString());
    }

    void singleBytes()
    {
        const QByteArray kept = "!\"#$%&()*+-.0123456789:<>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^abcdefghijklmnopqrstuvwxyz";
        const QByteArray dropped = " ',/;=\\_`{|}~";
        QCOMPARE(PinyinInitials(QString::fromLatin1(kept)), QString::fromLatin1(kept));
        QCOMPARE(PinyinInitials(QString::fromLatin1(dropped)), QString());
        // Every other byte (controls, DEL, 0x80 and up) gives nothing on its own.
        for (int byte = 0; byte < 256; ++byte) {
            const char c = char(byte);
            const bool isKept = byte > 0 && kept.contains(c);
            QCOMPARE(PinyinOfChar(&c, 1), isKept ? QString(QChar(byte)) : QString());
        }
        QCOMPARE(PinyinInitials(QStringLiteral("\t\r\n\x7f")), QString());
    }

    void coverage()
    {
        const QRegularExpression syllable(QStringLiteral("^[a-z]{1,6}$"));
        int gb2312 = 0;
        int extension = 0;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F)
                    continue;
                const int code = lead << 8 | trail;
                const QString reading = ofCode(code);
                const bool inGb2312 = lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1;
                const bool inExtension = lead <= 0xA0 || (lead >= 0xAA && trail <= 0xA0);
                const QByteArray where = QByteArray::number(code, 16).toUpper();
                if (!inGb2312 && !inExtension) {
                    if (lead != 0xA2 && lead != 0xA3 && lead != 0xA6)
                        QVERIFY2(reading.isEmpty(), where.constData());
                    continue;
                }
                const bool isCharacter = !gbkCharacter(code).isNull();
                if (!isCharacter || isWithoutReading(code)) {
                    QVERIFY2(reading.isEmpty(), where.constData());
                    continue;
                }
                QVERIFY2(syllable.match(reading).hasMatch(), qPrintable(where + " " + reading));
                ++(inGb2312 ? gb2312 : extension);
            }
        }
        QCOMPARE(gb2312, 6763);
        QCOMPARE(extension, 14137); // the 14,160 characters of the extension areas but the 23 without reading
    }

    void codesWithoutReading()
    {
        // They are characters all the same; the index leaves them out.
        for (int code : {0x83C0, 0xAD9F, 0xFD9C, 0xFDA0, 0xFE40, 0xFE4F}) {
            QVERIFY(!gbkCharacter(code).isNull());
            QCOMPARE(PinyinInitials(QString(gbkCharacter(code))), QString());
        }
    }
};

LANTING_TEST(TestPinyin)
#include "tst_pinyin.moc"
