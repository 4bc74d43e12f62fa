#include "data/xlsworkbook.h"

#include <QCoreApplication>
#include <QDir>
#include <QHashFunctions>
#include <QSaveFile>
#include <QVarLengthArray>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

// Layout of the file. The OLE2 compound document holds one stream, "Workbook", in 512-byte sectors
// right after the header, then the directory sector, the FAT sectors and, for files over about 7 MB,
// the DIFAT sectors that list the FAT sectors the header has no room for. The stream is at least
// 4096 bytes long (padded with zeros), so that it never belongs in the mini stream.
//
// The Workbook stream is the BIFF8 globals substream (BOF, CODEPAGE, WINDOW1, DATEMODE, FONT, XF, STYLE,
// BOUNDSHEET, SST with its CONTINUE records, EXTSST, EOF) followed by the worksheet substream (BOF,
// DIMENSIONS, the cells in row order, WINDOW2, EOF).

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("XlsWorkbook", text);
}

// BIFF8 record identifiers.
enum RecordId : std::uint16_t {
    RecordEof = 0x000A,
    RecordDateMode = 0x0022,
    RecordFont = 0x0031,
    RecordWindow1 = 0x003D,
    RecordContinue = 0x003C,
    RecordCodepage = 0x0042,
    RecordBoundSheet = 0x0085,
    RecordXf = 0x00E0,
    RecordSst = 0x00FC,
    RecordLabelSst = 0x00FD,
    RecordExtSst = 0x00FF,
    RecordDimensions = 0x0200,
    RecordNumber = 0x0203,
    RecordWindow2 = 0x023E,
    RecordRk = 0x027E,
    RecordStyle = 0x0293,
    RecordBof = 0x0809,
};

constexpr int MaxRecordData = 8224;
constexpr std::uint16_t CellXf = 15; // the first cell XF, after the 16 style XFs
constexpr qsizetype BofSize = 4 + 16;
constexpr qsizetype DimensionsSize = 4 + 14;
constexpr qsizetype Window2Size = 4 + 18;
constexpr qsizetype EofSize = 4;
constexpr qsizetype LabelSstSize = 4 + 10;
constexpr qsizetype RkSize = 4 + 10;
constexpr qsizetype NumberSize = 4 + 14;

// OLE2 compound document.
constexpr qint64 SectorSize = 512;
constexpr qint64 MinimumStreamSize = 4096;
constexpr std::uint32_t IdsPerSector = SectorSize / 4;
constexpr std::uint32_t HeaderDifatEntries = 109;
constexpr std::uint32_t DifatSectorEntries = IdsPerSector - 1; // the last entry links to the next DIFAT sector
constexpr std::uint32_t FreeSector = 0xFFFFFFFF;
constexpr std::uint32_t EndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t FatSector = 0xFFFFFFFD;
constexpr std::uint32_t DifatSector = 0xFFFFFFFC;
constexpr std::uint32_t NoStream = 0xFFFFFFFF;

void put8(QByteArray &out, std::uint8_t value)
{
    out.append(char(value));
}

void put16(QByteArray &out, std::uint16_t value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray &out, std::uint32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void patch16(QByteArray &out, qsizetype position, std::uint16_t value)
{
    qToLittleEndian(value, out.data() + position);
}

void patch32(QByteArray &out, qsizetype position, std::uint32_t value)
{
    qToLittleEndian(value, out.data() + position);
}

bool fitsOneByte(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
}

// Characters of a BIFF8 string: one byte each when every character fits ("compressed"), else UTF-16LE.
void putChars(QByteArray &out, QStringView text, bool compressed)
{
    const qsizetype start = out.size();
    if (compressed) {
        out.resize(start + text.size());
        char *dest = out.data() + start;
        for (qsizetype i = 0; i < text.size(); ++i)
            dest[i] = char(text[i].unicode());
    } else {
        out.resize(start + 2 * text.size());
        qToLittleEndian<std::uint16_t>(text.utf16(), text.size(), out.data() + start);
    }
}

// A string with an 8-bit length: font and sheet names.
void putShortString(QByteArray &out, QStringView text)
{
    const bool compressed = fitsOneByte(text);
    put8(out, std::uint8_t(text.size()));
    put8(out, compressed ? 0 : 1);
    putChars(out, text, compressed);
}

void putRecord(QByteArray &out, std::uint16_t id, const QByteArray &data)
{
    put16(out, id);
    put16(out, std::uint16_t(data.size()));
    out.append(data);
}

QByteArray bofData(std::uint16_t substreamType)
{
    QByteArray data;
    put16(data, 0x0600); // BIFF8
    put16(data, substreamType);
    put16(data, 0x0DBB); // build
    put16(data, 0x07CC); // year
    put32(data, 0);      // file history
    put32(data, 0x0006); // lowest BIFF version that can read the file
    return data;
}

QByteArray fontData()
{
    QByteArray data;
    put16(data, 220);    // 11 pt, in twips
    put16(data, 0);      // not italic, not struck out
    put16(data, 0x7FFF); // automatic colour
    put16(data, 400);    // normal weight
    put16(data, 0);      // no super- or subscript
    put8(data, 0);       // no underline
    put8(data, 0);       // family
    put8(data, 134);     // GB2312 character set
    put8(data, 0);
    putShortString(data, u"宋体");
    return data;
}

QByteArray xfData(std::uint16_t font, bool styleXf, std::uint8_t usedAttributes)
{
    QByteArray data;
    put16(data, font);
    put16(data, 0);                         // number format "General"
    put16(data, styleXf ? 0xFFF5 : 0x0001); // locked; style XF with no parent, or cell XF of style 0
    put8(data, 0x20);                       // aligned to the bottom
    put8(data, 0);                          // no rotation
    put8(data, 0);                          // no indent
    put8(data, usedAttributes);
    put32(data, 0);      // no borders
    put32(data, 0);      // no fill
    put16(data, 0x20C0); // default pattern colours
    return data;
}

// The Excel RK form of a number, when it has one: a 30-bit integer, such an integer divided by 100,
// or a double whose lower 34 bits are zero.
std::optional<std::uint32_t> rkValue(double value)
{
    constexpr double low = -536870912.0;
    constexpr double high = 536870911.0;
    if (value == std::trunc(value) && value >= low && value <= high)
        return (std::uint32_t(std::int32_t(value)) << 2) | 2;
    const double hundredfold = value * 100.0;
    if (hundredfold == std::trunc(hundredfold) && hundredfold >= low && hundredfold <= high) {
        const auto scaled = std::int32_t(hundredfold);
        if (double(scaled) / 100.0 == value)
            return (std::uint32_t(scaled) << 2) | 3;
    }
    const auto bits = std::bit_cast<std::uint64_t>(value);
    if ((bits & 0x3FFFFFFFFull) == 0)
        return std::uint32_t(bits >> 32);
    return std::nullopt;
}

struct ExtSstBucket
{
    std::uint32_t streamPosition;
    std::uint16_t recordOffset;
};

// Writes the SST record and its CONTINUE records. A record holds at most 8224 bytes; a string that does
// not fit is continued in the next CONTINUE record, which then starts with a fresh option byte (0 for
// one-byte characters, 1 for UTF-16). The length and option byte of a string are never split, nor is a
// character or a surrogate pair.
template <typename StringAt>
void putSst(QByteArray &out, std::uint32_t totalReferences, std::uint32_t count, StringAt stringAt,
            std::uint32_t bucketSize, std::vector<ExtSstBucket> &buckets)
{
    qsizetype recordStart = out.size();
    put16(out, RecordSst);
    put16(out, 0);
    put32(out, totalReferences);
    put32(out, count);
    const auto room = [&] { return MaxRecordData - (out.size() - recordStart - 4); };
    const auto nextRecord = [&] {
        patch16(out, recordStart + 2, std::uint16_t(out.size() - recordStart - 4));
        recordStart = out.size();
        put16(out, RecordContinue);
        put16(out, 0);
    };

    for (std::uint32_t index = 0; index < count; ++index) {
        const QStringView text = stringAt(index);
        const qsizetype length = text.size();
        const bool compressed = fitsOneByte(text);
        const qsizetype charSize = compressed ? 1 : 2;
        qsizetype firstChars = length == 0 ? 0 : 1;
        if (!compressed && length > 1 && text[0].isHighSurrogate())
            firstChars = 2;
        if (room() < 3 + firstChars * charSize)
            nextRecord();
        if (index % bucketSize == 0)
            buckets.push_back({std::uint32_t(out.size()), std::uint16_t(out.size() - recordStart)});
        put16(out, std::uint16_t(length));
        put8(out, compressed ? 0 : 1);
        qsizetype done = 0;
        for (;;) {
            qsizetype take = std::min(length - done, room() / charSize);
            if (take < length - done && !compressed && take > 0 && text[done + take - 1].isHighSurrogate())
                --take;
            putChars(out, text.sliced(done, take), compressed);
            done += take;
            if (done == length)
                break;
            nextRecord();
            put8(out, compressed ? 0 : 1);
        }
    }
    patch16(out, recordStart + 2, std::uint16_t(out.size() - recordStart - 4));
}

// Buffers what goes into the file and writes it in large pieces.
class FileOutput
{
public:
    explicit FileOutput(QIODevice &device) : m_device(device) { m_buffer.reserve(BufferSize); }

    void write(const char *data, qsizetype size)
    {
        m_buffer.append(data, size);
        m_written += size;
        if (m_buffer.size() >= BufferSize)
            flush();
    }
    void write(const QByteArray &bytes) { write(bytes.constData(), bytes.size()); }
    void padTo(qint64 size)
    {
        static const char zeros[SectorSize] = {};
        while (m_written < size)
            write(zeros, std::min<qint64>(SectorSize, size - m_written));
    }
    void putId(std::uint32_t id)
    {
        char bytes[4];
        qToLittleEndian(id, bytes);
        write(bytes, 4);
    }
    bool finish()
    {
        flush();
        return !m_failed;
    }
    qint64 written() const { return m_written; }

private:
    static constexpr qsizetype BufferSize = 1 << 20;

    void flush()
    {
        if (!m_failed && !m_buffer.isEmpty() && m_device.write(m_buffer) != m_buffer.size())
            m_failed = true;
        m_buffer.clear();
    }

    QIODevice &m_device;
    QByteArray m_buffer;
    qint64 m_written = 0;
    bool m_failed = false;
};

QByteArray directoryEntry(QStringView name, std::uint8_t type, std::uint32_t child, std::uint32_t start,
                          std::uint32_t size)
{
    QByteArray entry(128, '\0');
    if (!name.isEmpty()) {
        qToLittleEndian<std::uint16_t>(name.utf16(), name.size(), entry.data());
        patch16(entry, 64, std::uint16_t(2 * (name.size() + 1)));
        entry[66] = char(type);
        entry[67] = 1; // black
    }
    patch32(entry, 68, NoStream); // left sibling
    patch32(entry, 72, NoStream); // right sibling
    patch32(entry, 76, child);
    patch32(entry, 116, start);
    patch32(entry, 120, size);
    return entry;
}

} // namespace

XlsWorkbook::XlsWorkbook() : m_sheetName(QStringLiteral("Sheet1")) {}

bool XlsWorkbook::setSheetName(const QString &name)
{
    static const QString forbidden = QStringLiteral(":\\/?*[]");
    if (name.isEmpty() || name.size() > 31 || name.startsWith(u'\'') || name.endsWith(u'\''))
        return false;
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return forbidden.contains(c); }))
        return false;
    m_sheetName = name;
    return true;
}

bool XlsWorkbook::setText(int row, int column, QStringView text)
{
    if (!checkPosition(row, column))
        return false;
    if (text.isEmpty()) {
        putCell(row, column, Cleared, 0);
        return true;
    }
    if (text.size() > MaxTextLength) {
        refuse(tr("第%1行第%2列的文字超过%3个字符，Excel单元格容纳不下。")
                   .arg(row + 1)
                   .arg(column + 1)
                   .arg(MaxTextLength));
        return false;
    }
    if (m_chars.size() + std::size_t(text.size()) > std::numeric_limits<std::uint32_t>::max()) {
        refuse(tr("工作簿的文字过多。"));
        return false;
    }
    putCell(row, column, Label, internString(text));
    return true;
}

bool XlsWorkbook::setNumber(int row, int column, double value)
{
    if (!checkPosition(row, column))
        return false;
    if (!std::isfinite(value)) {
        refuse(tr("第%1行第%2列的数值无效。").arg(row + 1).arg(column + 1));
        return false;
    }
    if (const auto rk = rkValue(value)) {
        putCell(row, column, Rk, *rk);
    } else {
        m_numbers.push_back(value);
        putCell(row, column, Number, std::uint32_t(m_numbers.size() - 1));
    }
    return true;
}

bool XlsWorkbook::setCell(int row, int column, QStringView text)
{
    if (const auto number = numberFromText(text))
        return setNumber(row, column, *number);
    return setText(row, column, text);
}

std::optional<double> XlsWorkbook::numberFromText(QStringView text)
{
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    const qsizetype size = text.size();
    qsizetype i = 0;
    if (i < size && text[i] == u'-')
        ++i;
    const qsizetype integerStart = i;
    while (i < size && isDigit(text[i]))
        ++i;
    const qsizetype integerDigits = i - integerStart;
    if (integerDigits == 0 || (integerDigits > 1 && text[integerStart] == u'0'))
        return std::nullopt;
    qsizetype significant = text[integerStart] == u'0' ? 0 : integerDigits;
    if (i < size && text[i] == u'.') {
        ++i;
        const qsizetype fractionStart = i;
        while (i < size && isDigit(text[i])) {
            if (significant > 0 || text[i] != u'0')
                ++significant;
            ++i;
        }
        if (i == fractionStart)
            return std::nullopt;
    }
    if (i != size || significant > 15)
        return std::nullopt;

    QVarLengthArray<char, 64> latin1(size);
    for (qsizetype k = 0; k < size; ++k)
        latin1[k] = char(text[k].unicode());
    double value = 0;
    const auto [end, status] = std::from_chars(latin1.data(), latin1.data() + size, value);
    if (status != std::errc() || end != latin1.data() + size)
        return std::nullopt;
    return value;
}

bool XlsWorkbook::checkPosition(int row, int column)
{
    if (row >= 0 && row < MaxRows && column >= 0 && column < MaxColumns)
        return true;
    refuse(tr("第%1行第%2列超出了Excel工作表的范围（最多%3行、%4列）。")
               .arg(row + 1)
               .arg(column + 1)
               .arg(MaxRows)
               .arg(MaxColumns));
    return false;
}

void XlsWorkbook::refuse(const QString &message)
{
    if (m_error.isEmpty())
        m_error = message;
}

void XlsWorkbook::putCell(int row, int column, CellKind kind, std::uint32_t value)
{
    const Cell cell{std::uint16_t(row), std::uint8_t(column), kind, value};
    const auto key = [](const Cell &c) { return (std::uint32_t(c.row) << 8) | c.column; };
    if (m_sorted) {
        if (m_cells.empty() || key(cell) > key(m_cells.back())) {
            if (kind != Cleared)
                m_cells.push_back(cell);
            return;
        }
        if (key(cell) == key(m_cells.back())) {
            if (kind == Cleared)
                m_cells.pop_back();
            else
                m_cells.back() = cell;
            return;
        }
        m_sorted = false;
    }
    m_cells.push_back(cell); // sorted out at save; a later write of the same cell wins, Cleared removes it
}

std::uint32_t XlsWorkbook::internString(QStringView text)
{
    const auto hash = std::uint32_t(qHash(text));
    if (m_slots.empty())
        m_slots.assign(1024, 0);
    std::size_t mask = m_slots.size() - 1;
    std::size_t slot = hash & mask;
    while (const std::uint32_t entry = m_slots[slot]) {
        const std::uint32_t index = entry - 1;
        if (m_stringHashes[index] == hash && stringAt(index) == text)
            return index;
        slot = (slot + 1) & mask;
    }

    const auto index = std::uint32_t(m_stringHashes.size());
    m_chars.insert(m_chars.end(), text.utf16(), text.utf16() + text.size());
    m_stringStarts.push_back(std::uint32_t(m_chars.size()));
    m_stringHashes.push_back(hash);
    m_slots[slot] = index + 1;

    if (2 * m_stringHashes.size() > m_slots.size()) {
        m_slots.assign(2 * m_slots.size(), 0);
        mask = m_slots.size() - 1;
        for (std::uint32_t i = 0; i < m_stringHashes.size(); ++i) {
            std::size_t s = m_stringHashes[i] & mask;
            while (m_slots[s])
                s = (s + 1) & mask;
            m_slots[s] = i + 1;
        }
    }
    return index;
}

QStringView XlsWorkbook::stringAt(std::uint32_t index) const
{
    const std::uint32_t start = m_stringStarts[index];
    return QStringView(m_chars.data() + start, qsizetype(m_stringStarts[index + 1] - start));
}

void XlsWorkbook::normalizeCells() const
{
    if (m_sorted)
        return;
    const auto key = [](const Cell &c) { return (std::uint32_t(c.row) << 8) | c.column; };
    std::stable_sort(m_cells.begin(), m_cells.end(), [&](const Cell &a, const Cell &b) { return key(a) < key(b); });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        if (i + 1 < m_cells.size() && key(m_cells[i + 1]) == key(m_cells[i]))
            continue; // a later write of the same cell follows
        if (m_cells[i].kind != Cleared)
            m_cells[kept++] = m_cells[i];
    }
    m_cells.resize(kept);
    m_sorted = true;
}

bool XlsWorkbook::save(const QString &path, QString *error) const
{
    const auto fail = [&](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    if (!m_error.isEmpty())
        return fail(m_error);

    normalizeCells();

    // The worksheet substream: its size and what DIMENSIONS and SST need to know.
    std::uint32_t labels = 0;
    std::uint16_t firstColumn = MaxColumns;
    std::uint16_t lastColumn = 0;
    qint64 sheetSize = BofSize + DimensionsSize + Window2Size + EofSize;
    for (const Cell &cell : m_cells) {
        firstColumn = std::min<std::uint16_t>(firstColumn, cell.column);
        lastColumn = std::max<std::uint16_t>(lastColumn, cell.column);
        switch (cell.kind) {
        case Label:
            ++labels;
            sheetSize += LabelSstSize;
            break;
        case Rk:
            sheetSize += RkSize;
            break;
        case Number:
            sheetSize += NumberSize;
            break;
        case Cleared:
            break;
        }
    }

    // The globals substream, kept in memory: BOUNDSHEET needs its size and EXTSST the places of the strings.
    const auto stringCount = std::uint32_t(m_stringHashes.size());
    QByteArray globals;
    globals.reserve(
        qsizetype(1024 + 3 * std::size_t(stringCount) + 2 * m_chars.size() + m_chars.size() / MaxRecordData * 8));
    putRecord(globals, RecordBof, bofData(0x0005));
    {
        QByteArray codepage;
        put16(codepage, 1200); // UTF-16
        putRecord(globals, RecordCodepage, codepage);
        QByteArray window;
        put16(window, 0); // position
        put16(window, 0);
        put16(window, 0x4000); // size, in twips
        put16(window, 0x2000);
        put16(window, 0x0038); // scroll bars and sheet tabs shown
        put16(window, 0);      // active sheet
        put16(window, 0);      // first sheet tab shown
        put16(window, 1);      // selected sheets
        put16(window, 600);    // width of the tab bar, per mille
        putRecord(globals, RecordWindow1, window);
        QByteArray dateMode;
        put16(dateMode, 0); // dates count from 1900
        putRecord(globals, RecordDateMode, dateMode);
    }
    // Font indices skip 4, so five FONT records give the fonts 0, 1, 2, 3 and 5 that the XFs refer to.
    const QByteArray font = fontData();
    for (int i = 0; i < 5; ++i)
        putRecord(globals, RecordFont, font);
    // The 16 style XFs (0 is the Normal style, 1-14 the outline styles) and the one cell XF, 15.
    putRecord(globals, RecordXf, xfData(0, true, 0x00));
    for (std::uint16_t i = 1; i < 15; ++i)
        putRecord(globals, RecordXf, xfData(i <= 2 ? 1 : i <= 4 ? 2 : 0, true, 0xF4));
    putRecord(globals, RecordXf, xfData(0, false, 0x00));
    {
        QByteArray style;
        put16(style, 0x8000); // built-in style of XF 0
        put8(style, 0);       // Normal
        put8(style, 0xFF);
        putRecord(globals, RecordStyle, style);
    }
    const qsizetype boundSheetAt = globals.size();
    {
        QByteArray sheet;
        put32(sheet, 0); // stream position of the worksheet BOF, filled in below
        put8(sheet, 0);  // visible
        put8(sheet, 0);  // worksheet
        putShortString(sheet, m_sheetName);
        putRecord(globals, RecordBoundSheet, sheet);
    }
    const std::uint32_t bucketSize = std::max<std::uint32_t>(8, (stringCount + 127) / 128);
    std::vector<ExtSstBucket> buckets;
    putSst(
        globals, labels, stringCount, [this](std::uint32_t index) { return stringAt(index); }, bucketSize, buckets);
    {
        QByteArray extSst;
        put16(extSst, std::uint16_t(bucketSize));
        for (const ExtSstBucket &bucket : buckets) {
            put32(extSst, bucket.streamPosition);
            put16(extSst, bucket.recordOffset);
            put16(extSst, 0);
        }
        putRecord(globals, RecordExtSst, extSst);
    }
    putRecord(globals, RecordEof, {});
    patch32(globals, boundSheetAt + 4, std::uint32_t(globals.size()));

    const qint64 streamSize = std::max(qint64(globals.size()) + sheetSize, MinimumStreamSize);
    if (streamSize > qint64(std::numeric_limits<std::uint32_t>::max()))
        return fail(tr("工作簿过大，无法保存为Excel 97-2003格式。"));

    // Sectors: the stream, one directory sector, the FAT, the DIFAT beyond the header's 109 entries.
    const auto streamSectors = std::uint32_t((streamSize + SectorSize - 1) / SectorSize);
    std::uint32_t fatSectors = 0;
    std::uint32_t difatSectors = 0;
    for (;;) {
        const std::uint32_t total = streamSectors + 1 + fatSectors + difatSectors;
        const std::uint32_t fat = (total + IdsPerSector - 1) / IdsPerSector;
        const std::uint32_t difat =
            fat > HeaderDifatEntries ? (fat - HeaderDifatEntries + DifatSectorEntries - 1) / DifatSectorEntries : 0;
        if (fat == fatSectors && difat == difatSectors)
            break;
        fatSectors = fat;
        difatSectors = difat;
    }
    const std::uint32_t directorySector = streamSectors;
    const std::uint32_t firstFatSector = directorySector + 1;
    const std::uint32_t firstDifatSector = firstFatSector + fatSectors;

    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return fail(tr("无法保存文件“%1”：%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    FileOutput out(file);

    // Header.
    {
        QByteArray header(SectorSize, '\0');
        static const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
        std::memcpy(header.data(), signature, 8);
        patch16(header, 24, 0x003E); // minor version
        patch16(header, 26, 0x0003); // major version 3: 512-byte sectors
        patch16(header, 28, 0xFFFE); // little-endian
        patch16(header, 30, 9);      // sector size 2^9
        patch16(header, 32, 6);      // mini sector size 2^6
        patch32(header, 44, fatSectors);
        patch32(header, 48, directorySector);
        patch32(header, 56, std::uint32_t(MinimumStreamSize));
        patch32(header, 60, EndOfChain); // no mini FAT
        patch32(header, 64, 0);
        patch32(header, 68, difatSectors > 0 ? firstDifatSector : EndOfChain);
        patch32(header, 72, difatSectors);
        for (std::uint32_t i = 0; i < HeaderDifatEntries; ++i)
            patch32(header, 76 + 4 * i, i < fatSectors ? firstFatSector + i : FreeSector);
        out.write(header);
    }

    // The Workbook stream: globals, then the worksheet written straight from the cells.
    out.write(globals);
    const qint64 sheetStart = out.written();
    {
        char record[NumberSize];
        const auto recordHeader = [&](std::uint16_t id, std::uint16_t size) {
            qToLittleEndian(id, record);
            qToLittleEndian(size, record + 2);
        };
        QByteArray data = bofData(0x0010);
        recordHeader(RecordBof, std::uint16_t(data.size()));
        out.write(record, 4);
        out.write(data);

        data.clear();
        put32(data, m_cells.empty() ? 0 : m_cells.front().row);
        put32(data, m_cells.empty() ? 0 : m_cells.back().row + 1u);
        put16(data, m_cells.empty() ? 0 : firstColumn);
        put16(data, m_cells.empty() ? 0 : lastColumn + 1);
        put16(data, 0);
        recordHeader(RecordDimensions, std::uint16_t(data.size()));
        out.write(record, 4);
        out.write(data);

        for (const Cell &cell : m_cells) {
            qToLittleEndian(cell.row, record + 4);
            qToLittleEndian(std::uint16_t(cell.column), record + 6);
            qToLittleEndian(CellXf, record + 8);
            switch (cell.kind) {
            case Label:
                recordHeader(RecordLabelSst, LabelSstSize - 4);
                qToLittleEndian(cell.value, record + 10);
                out.write(record, LabelSstSize);
                break;
            case Rk:
                recordHeader(RecordRk, RkSize - 4);
                qToLittleEndian(cell.value, record + 10);
                out.write(record, RkSize);
                break;
            case Number:
                recordHeader(RecordNumber, NumberSize - 4);
                qToLittleEndian(std::bit_cast<std::uint64_t>(m_numbers[cell.value]), record + 10);
                out.write(record, NumberSize);
                break;
            case Cleared:
                break;
            }
        }

        data.clear();
        put16(data, 0x06B6); // grid lines, headers, zeros, outline symbols; selected and active sheet
        put16(data, 0);      // top row
        put16(data, 0);      // left column
        put16(data, 0x40);   // automatic grid line colour
        put16(data, 0);
        put16(data, 0); // zoom: default
        put16(data, 0);
        put32(data, 0);
        recordHeader(RecordWindow2, std::uint16_t(data.size()));
        out.write(record, 4);
        out.write(data);

        recordHeader(RecordEof, 0);
        out.write(record, 4);
    }
    Q_ASSERT(out.written() - sheetStart == sheetSize);
    out.padTo(SectorSize + qint64(streamSectors) * SectorSize);

    // Directory: the root entry (no mini stream) and the Workbook stream, two entries left free.
    out.write(directoryEntry(u"Root Entry", 5, 1, EndOfChain, 0));
    out.write(directoryEntry(u"Workbook", 2, NoStream, 0, std::uint32_t(streamSize)));
    out.write(directoryEntry({}, 0, NoStream, 0, 0));
    out.write(directoryEntry({}, 0, NoStream, 0, 0));

    // FAT.
    for (std::uint32_t sector = 0; sector < fatSectors * IdsPerSector; ++sector) {
        std::uint32_t next = FreeSector;
        if (sector + 1 < streamSectors)
            next = sector + 1;
        else if (sector + 1 == streamSectors || sector == directorySector)
            next = EndOfChain;
        else if (sector >= firstFatSector && sector < firstDifatSector)
            next = FatSector;
        else if (sector >= firstDifatSector && sector < firstDifatSector + difatSectors)
            next = DifatSector;
        out.putId(next);
    }

    // DIFAT sectors: the FAT sectors after the first 109, each sector linking to the next.
    for (std::uint32_t d = 0; d < difatSectors; ++d) {
        for (std::uint32_t i = 0; i < DifatSectorEntries; ++i) {
            const std::uint32_t fat = HeaderDifatEntries + d * DifatSectorEntries + i;
            out.putId(fat < fatSectors ? firstFatSector + fat : FreeSector);
        }
        out.putId(d + 1 < difatSectors ? firstDifatSector + d + 1 : EndOfChain);
    }
    Q_ASSERT(out.written() == SectorSize * (1 + qint64(firstDifatSector) + difatSectors));

    if (!out.finish()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(tr("无法保存文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason));
    }
    if (!file.commit())
        return fail(tr("无法保存文件“%1”：%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return true;
}
