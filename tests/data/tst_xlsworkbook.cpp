#include "common/testregistry.h"
#include "data/xlsworkbook.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <limits>

// Workbooks are read back with xlrd, an independent reader of the Excel 97-2003 format: cell types, values,
// the sheet, and every warning xlrd has about the file's structure.
class TestXlsWorkbook : public QObject
{
    Q_OBJECT

    // xlrd's cell types.
    enum CellType { Empty = 0, Text = 1, Number = 2 };

    struct ReadCell
    {
        int type = Empty;
        QJsonValue value;
    };
    struct ReadSheet
    {
        QStringList sheetNames;
        int rows = 0;
        int columns = 0;
        std::pair<int, int> dimensions; // rows and columns as the DIMENSIONS record gives them
        QString log;                    // xlrd's warnings
        QMap<std::pair<int, int>, ReadCell> cells;

        ReadCell at(int row, int column) const { return cells.value({row, column}); }
    };

    QTemporaryDir m_dir;
    QString m_readError;

    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    static QString sha1(const QString &text)
    {
        return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex());
    }

    // Reads the first sheet with xlrd; with digests, text cells come back as the SHA-1 of their UTF-8 form.
    std::optional<ReadSheet> readBack(const QString &path, bool digests = false)
    {
        static const char script[] = R"(
import hashlib, io, json, sys, xlrd
log = io.StringIO()
book = xlrd.open_workbook(sys.argv[1], logfile=log)
sheet = book.sheet_by_index(0)
cells = []
for r in range(sheet.nrows):
    for c, cell in enumerate(sheet.row(r)):
        if cell.ctype == xlrd.XL_CELL_EMPTY:
            continue
        value = cell.value
        if sys.argv[2] == 'digest' and cell.ctype == xlrd.XL_CELL_TEXT:
            value = hashlib.sha1(value.encode('utf-8')).hexdigest()
        cells.append([r, c, cell.ctype, value])
result = {'sheets': book.sheet_names(), 'rows': sheet.nrows, 'columns': sheet.ncols, 'cells': cells,
          'dimensions': [sheet._dimnrows, sheet._dimncols], 'log': log.getvalue()}
sys.stdout.buffer.write(json.dumps(result, ensure_ascii=False).encode('utf-8'))
)";
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral("-c"), QString::fromUtf8(script), path,
                      digests ? QStringLiteral("digest") : QStringLiteral("plain")});
        if (!python.waitForFinished(300000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
            m_readError = QStringLiteral("xlrd could not read %1: %2 %3")
                              .arg(path, python.errorString(), QString::fromUtf8(python.readAllStandardError()));
            return std::nullopt;
        }
        QJsonParseError parseError;
        const QJsonObject result = QJsonDocument::fromJson(python.readAllStandardOutput(), &parseError).object();
        if (parseError.error != QJsonParseError::NoError) {
            m_readError = QStringLiteral("unreadable output of xlrd: ") + parseError.errorString();
            return std::nullopt;
        }
        ReadSheet sheet;
        for (const QJsonValue &name : result.value(QLatin1String("sheets")).toArray())
            sheet.sheetNames << name.toString();
        sheet.rows = result.value(QLatin1String("rows")).toInt();
        sheet.columns = result.value(QLatin1String("columns")).toInt();
        sheet.log = result.value(QLatin1String("log")).toString();
        const QJsonArray dimensions = result.value(QLatin1String("dimensions")).toArray();
        sheet.dimensions = {dimensions.at(0).toInt(), dimensions.at(1).toInt()};
        for (const QJsonValue &entry : result.value(QLatin1String("cells")).toArray()) {
            const QJsonArray cell = entry.toArray();
            sheet.cells.insert({cell.at(0).toInt(), cell.at(1).toInt()}, {cell.at(2).toInt(), cell.at(3)});
        }
        return sheet;
    }

    static std::uint32_t headerField(const QString &path, int offset)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray header = file.read(512);
        return header.size() == 512 ? qFromLittleEndian<std::uint32_t>(header.constData() + offset) : 0;
    }

    static QString repeated(const QString &text, int times)
    {
        QString result;
        result.reserve(text.size() * times);
        for (int i = 0; i < times; ++i)
            result += text;
        return result;
    }

    // The cells of the round-trip workbook: texts of every kind, numbers of every stored form, a gap column,
    // a gap row, the last column and a repeated text.
    struct FixtureCell
    {
        int row;
        int column;
        QString text; // a text cell when not null
        double number;
    };
    static QList<FixtureCell> fixtureCells()
    {
        return {
            {0, 0, QStringLiteral("房间编号"), 0},
            {0, 1, QStringLiteral("租金（元）"), 0},
            {0, 2, QStringLiteral("Name"), 0},
            {0, 3, QStringLiteral("café déjà"), 0},            // one byte a character, above ASCII
            {0, 5, QStringLiteral("𠀀𡒄 surrogate pairs"), 0}, // characters outside the BMP
            {1, 0, {}, 1500},
            {1, 1, {}, 12.34},
            {1, 2, {}, 0.1},
            {1, 3, {}, -536870912},
            {1, 5, {}, 536870912},
            {1, 6, {}, 1234567.891},
            {1, 7, {}, -0.5},
            {1, 8, {}, 1e300},
            {1, 9, {}, std::numeric_limits<double>::denorm_min()},
            {1, 10, {}, 123456789012345.0},
            {1, 11, {}, -1},
            {1, 12, {}, 0.35000000000000003}, // a hundredfold of 35 exactly, yet not 35 / 100
            {3, 255, QStringLiteral("最后一列"), 0},
            {4, 0, QStringLiteral("房间编号"), 0},
        };
    }
    static void writeCell(XlsWorkbook &workbook, const FixtureCell &cell)
    {
        if (cell.text.isNull())
            QVERIFY(workbook.setNumber(cell.row, cell.column, cell.number));
        else
            QVERIFY(workbook.setText(cell.row, cell.column, cell.text));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import xlrd")});
        QVERIFY2(python.waitForFinished(60000) && python.exitCode() == 0,
                 "these tests read workbooks with /usr/bin/python3 and xlrd (package python3-xlrd)");
    }

    void cellsRoundTrip_data()
    {
        QTest::addColumn<QString>("order");
        QTest::newRow("row by row") << "rows";
        QTest::newRow("backwards") << "backwards";
        QTest::newRow("column by column") << "columns";
        QTest::newRow("each cell overwritten at once") << "overwritten at once";
        QTest::newRow("all cells overwritten later") << "overwritten later";
    }

    // Whatever the order of writing, the sheet holds each cell's last value, and emptied cells stay empty.
    void cellsRoundTrip()
    {
        QFETCH(QString, order);
        const QList<FixtureCell> cells = fixtureCells();
        QList<FixtureCell> sorted = cells;
        const auto byRow = [](const FixtureCell &a, const FixtureCell &b) {
            return std::pair(a.row, a.column) < std::pair(b.row, b.column);
        };
        std::sort(sorted.begin(), sorted.end(), byRow);
        // Cells written with a decoy and emptied again; a gap column and a gap row of the fixture.
        const QList<std::pair<int, int>> emptied = {{0, 4}, {2, 0}, {2, 100}};

        XlsWorkbook workbook;
        QVERIFY(workbook.setSheetName(QStringLiteral("房间信息")));
        if (order == QLatin1String("rows")) {
            for (const FixtureCell &cell : sorted)
                writeCell(workbook, cell);
        } else if (order == QLatin1String("backwards")) {
            for (auto it = sorted.crbegin(); it != sorted.crend(); ++it)
                writeCell(workbook, *it);
        } else if (order == QLatin1String("columns")) {
            QList<FixtureCell> byColumn = cells;
            std::sort(byColumn.begin(), byColumn.end(), [](const FixtureCell &a, const FixtureCell &b) {
                return std::pair(a.column, a.row) < std::pair(b.column, b.row);
            });
            for (const FixtureCell &cell : byColumn)
                writeCell(workbook, cell);
        } else if (order == QLatin1String("overwritten at once")) {
            // In row order, each cell first gets a decoy of the other kind; the emptied ones are emptied again.
            QMap<std::pair<int, int>, const FixtureCell *> positions;
            for (const FixtureCell &cell : cells)
                positions.insert({cell.row, cell.column}, &cell);
            for (const auto &position : emptied)
                positions.insert(position, nullptr);
            for (auto it = positions.cbegin(); it != positions.cend(); ++it) {
                const auto [row, column] = it.key();
                const FixtureCell *cell = it.value();
                if (!cell || cell->text.isNull())
                    QVERIFY(workbook.setText(row, column, u"临时"));
                else
                    QVERIFY(workbook.setNumber(row, column, 99));
                if (cell)
                    writeCell(workbook, *cell);
                else
                    QVERIFY(workbook.setCell(row, column, u""));
            }
        } else {
            for (const FixtureCell &cell : sorted)
                QVERIFY(workbook.setCell(cell.row, cell.column, u"临时"));
            for (const auto &[row, column] : emptied)
                QVERIFY(workbook.setNumber(row, column, 99));
            for (auto it = sorted.crbegin(); it != sorted.crend(); ++it)
                writeCell(workbook, *it);
            for (const auto &[row, column] : emptied)
                QVERIFY(workbook.setText(row, column, QString()));
        }

        const QString path = filePath(QStringLiteral("往返.xls"));
        QString error;
        QVERIFY2(workbook.save(path, &error), qPrintable(error));
        const auto sheet = readBack(path);
        QVERIFY2(sheet, qPrintable(m_readError));
        QCOMPARE(sheet->log, QString());
        QCOMPARE(sheet->sheetNames, QStringList{QStringLiteral("房间信息")});
        QCOMPARE(sheet->rows, 5);
        QCOMPARE(sheet->columns, 256);
        QCOMPARE(sheet->dimensions, std::pair(5, 256));
        for (const FixtureCell &cell : cells) {
            const ReadCell read = sheet->at(cell.row, cell.column);
            const QByteArray where = QByteArray::number(cell.row) + ',' + QByteArray::number(cell.column);
            if (cell.text.isNull()) {
                QVERIFY2(read.type == Number, where.constData());
                QVERIFY2(read.value.toDouble() == cell.number,
                         (where + ": " + QByteArray::number(read.value.toDouble(), 'g', 17)).constData());
            } else {
                QVERIFY2(read.type == Text, where.constData());
                QCOMPARE(read.value.toString(), cell.text);
            }
        }
        QCOMPARE(sheet->cells.size(), cells.size());
    }

    void numberOrText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("number");
        QTest::newRow("integer") << "12" << int(Number) << 12.0;
        QTest::newRow("negative fraction") << "-3.5" << int(Number) << -3.5;
        QTest::newRow("zero") << "0" << int(Number) << 0.0;
        QTest::newRow("minus zero") << "-0" << int(Number) << 0.0;
        QTest::newRow("fraction below one") << "0.25" << int(Number) << 0.25;
        QTest::newRow("amount with cents") << "1500.00" << int(Number) << 1500.0;
        QTest::newRow("15 digits") << "123456789012345" << int(Number) << 123456789012345.0;
        QTest::newRow("15 significant digits after zeros")
            << "-0.000123456789012345" << int(Number) << -0.000123456789012345;
        QTest::newRow("mobile number") << "13800138000" << int(Number) << 13800138000.0;
        QTest::newRow("16 digits") << "1234567890123456" << int(Text) << 0.0;
        QTest::newRow("16 significant fraction digits") << "0.1234567890123456" << int(Text) << 0.0;
        QTest::newRow("identity number") << "110101199003077777" << int(Text) << 0.0;
        QTest::newRow("leading zero") << "007" << int(Text) << 0.0;
        QTest::newRow("leading zero with fraction") << "00.5" << int(Text) << 0.0;
        QTest::newRow("negative leading zero") << "-007" << int(Text) << 0.0;
        QTest::newRow("exponent") << "1e5" << int(Text) << 0.0;
        QTest::newRow("date") << "2024-03-05" << int(Text) << 0.0;
        QTest::newRow("time") << "8:30:00" << int(Text) << 0.0;
        QTest::newRow("word") << "abc" << int(Text) << 0.0;
        QTest::newRow("blanks around") << " 12 " << int(Text) << 0.0;
        QTest::newRow("plus sign") << "+12" << int(Text) << 0.0;
        QTest::newRow("trailing point") << "12." << int(Text) << 0.0;
        QTest::newRow("leading point") << ".5" << int(Text) << 0.0;
        QTest::newRow("thousands separator") << "1,234" << int(Text) << 0.0;
        QTest::newRow("full-width digits") << "１２" << int(Text) << 0.0;
        QTest::newRow("minus alone") << "-" << int(Text) << 0.0;
        QTest::newRow("empty") << "" << int(Empty) << 0.0;
    }

    void numberOrText()
    {
        QFETCH(QString, text);
        QFETCH(int, type);
        QFETCH(double, number);
        XlsWorkbook workbook;
        QVERIFY(workbook.setCell(0, 0, text));
        QVERIFY(workbook.setText(0, 1, u"旁边"));
        const QString path = filePath(QStringLiteral("转换.xls"));
        QString error;
        QVERIFY2(workbook.save(path, &error), qPrintable(error));
        const auto sheet = readBack(path);
        QVERIFY2(sheet, qPrintable(m_readError));
        const ReadCell cell = sheet->at(0, 0);
        QCOMPARE(cell.type, type);
        if (type == Number)
            QVERIFY2(cell.value.toDouble() == number, qPrintable(QString::number(cell.value.toDouble(), 'g', 17)));
        else if (type == Text)
            QCOMPARE(cell.value.toString(), text);
    }

    // Far more text than one SST record holds: strings split across CONTINUE records in the middle of
    // one-byte and of UTF-16 characters, at surrogate pairs, a string of the longest length spanning several
    // records, runs of short strings whose headers meet the record ends, and repeated texts.
    void sharedStringsAcrossContinueRecords()
    {
        QStringList texts;
        for (int i = 0; i < 3000; ++i) {
            switch (i % 4) {
            case 0:
                texts << QStringLiteral("第%1条：").arg(i) +
                             repeated(QStringLiteral("澜庭房屋出租管理"), i * 37 % 97 + 1);
                break;
            case 1:
                texts << QStringLiteral("line %1 ").arg(i) + repeated(QStringLiteral("abcdefghij"), i * 13 % 151);
                break;
            case 2:
                texts << repeated(QStringLiteral("𠀀𡒄"), i * 7 % 301 + 1) + QString::number(i);
                break;
            default:
                texts << QStringLiteral("café %1 ").arg(i) + repeated(QStringLiteral("é"), i * 11 % 500);
                break;
            }
        }
        for (int i = 0; i < 6000; ++i)
            texts << (i % 2 ? QStringLiteral("短%1").arg(i) : QStringLiteral("s%1").arg(i));
        texts << repeated(QStringLiteral("长"), XlsWorkbook::MaxTextLength);

        XlsWorkbook workbook;
        const int columns = 10;
        for (int i = 0; i < texts.size(); ++i)
            QVERIFY(workbook.setText(i / columns, i % columns, texts.at(i)));
        const int repeatRow = int(texts.size()) / columns + 1;
        for (int i = 0; i < 100; ++i)
            QVERIFY(workbook.setText(repeatRow + i / columns, i % columns, texts.at(i)));

        const QString path = filePath(QStringLiteral("字符串.xls"));
        QString error;
        QVERIFY2(workbook.save(path, &error), qPrintable(error));
        const auto sheet = readBack(path);
        QVERIFY2(sheet, qPrintable(m_readError));
        QCOMPARE(sheet->log, QString());
        QCOMPARE(sheet->cells.size(), texts.size() + 100);
        for (int i = 0; i < texts.size(); ++i) {
            const ReadCell cell = sheet->at(i / columns, i % columns);
            QCOMPARE(cell.type, int(Text));
            QCOMPARE(cell.value.toString(), texts.at(i));
        }
        for (int i = 0; i < 100; ++i)
            QCOMPARE(sheet->at(repeatRow + i / columns, i % columns).value.toString(), texts.at(i));
    }

    // The last of the 65536 rows is written and read.
    void fullHeightSheet()
    {
        XlsWorkbook workbook;
        for (int row = 0; row < XlsWorkbook::MaxRows; ++row) {
            QVERIFY(workbook.setCell(row, 0, QString::number(row)));
            QVERIFY(workbook.setCell(row, 1, QStringLiteral("第%1行").arg(row + 1)));
        }
        const QString path = filePath(QStringLiteral("满表.xls"));
        QString error;
        QVERIFY2(workbook.save(path, &error), qPrintable(error));
        const auto sheet = readBack(path, true);
        QVERIFY2(sheet, qPrintable(m_readError));
        QCOMPARE(sheet->log, QString());
        QCOMPARE(sheet->rows, 65536);
        QCOMPARE(sheet->columns, 2);
        QCOMPARE(sheet->dimensions, std::pair(65536, 2));
        QCOMPARE(sheet->cells.size(), 2 * 65536);
        QCOMPARE(sheet->at(65535, 0).type, int(Number));
        QCOMPARE(sheet->at(65535, 0).value.toDouble(), 65535.0);
        QCOMPARE(sheet->at(65535, 1).value.toString(), sha1(QStringLiteral("第65536行")));
        QCOMPARE(sheet->at(0, 1).value.toString(), sha1(QStringLiteral("第1行")));
    }

    // A Workbook stream of about 16 MB needs more FAT sectors than the header lists: two DIFAT sectors.
    void largeFileUsesExtraDifatSectors()
    {
        const QString sentence = repeated(QStringLiteral("按月收租，押一付三，水电费按表计。"), 110);
        XlsWorkbook workbook;
        QStringList digests;
        const int count = 4700;
        for (int i = 0; i < count; ++i) {
            const QString text = QString::number(i) + sentence.mid(i % 17, 1700);
            QVERIFY(workbook.setText(i, 0, text));
            QVERIFY(workbook.setNumber(i, 1, i * 0.5));
            digests << sha1(text);
        }
        const QString path = filePath(QStringLiteral("大文件.xls"));
        QString error;
        QVERIFY2(workbook.save(path, &error), qPrintable(error));
        QCOMPARE(headerField(path, 72), 2u);        // DIFAT sectors
        QVERIFY(headerField(path, 44) > 109 + 127); // FAT sectors

        const auto sheet = readBack(path, true);
        QVERIFY2(sheet, qPrintable(m_readError));
        QCOMPARE(sheet->log, QString());
        QCOMPARE(sheet->rows, count);
        for (int i = 0; i < count; ++i) {
            QCOMPARE(sheet->at(i, 0).value.toString(), digests.at(i));
            QCOMPARE(sheet->at(i, 1).value.toDouble(), i * 0.5);
        }
    }

    // Saving replaces an existing file; an empty workbook is a valid, empty sheet.
    void emptyWorkbookReplacesExistingFile()
    {
        const QString path = filePath(QStringLiteral("覆盖.xls"));
        XlsWorkbook full;
        for (int row = 0; row < 1000; ++row)
            QVERIFY(full.setCell(row, 0, QStringLiteral("内容%1").arg(row)));
        QString error;
        QVERIFY2(full.save(path, &error), qPrintable(error));

        QVERIFY2(XlsWorkbook().save(path, &error), qPrintable(error));
        const auto sheet = readBack(path);
        QVERIFY2(sheet, qPrintable(m_readError));
        QCOMPARE(sheet->log, QString());
        QCOMPARE(sheet->sheetNames, QStringList{QStringLiteral("Sheet1")});
        QCOMPARE(sheet->rows, 0);
        QCOMPARE(sheet->dimensions, std::pair(0, 0));
        QVERIFY(sheet->cells.isEmpty());
    }

    void refusesCellsItCannotStore_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text"); // a text cell when not null, else the number
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("message");
        const QString none;
        QTest::newRow("row 65537") << 65536 << 0 << "x" << 0.0 << "第65537行第1列";
        QTest::newRow("column 257") << 0 << 256 << none << 1.0 << "第1行第257列";
        QTest::newRow("negative row") << -1 << 0 << "x" << 0.0 << "第0行第1列";
        QTest::newRow("negative column") << 3 << -1 << none << 1.0 << "第4行第0列";
        QTest::newRow("text too long") << 2 << 1 << QString(XlsWorkbook::MaxTextLength + 1, u'长') << 0.0
                                       << "第3行第2列";
        QTest::newRow("not a number") << 2 << 1 << none << std::nan("") << "第3行第2列";
        QTest::newRow("infinite") << 2 << 1 << none << -std::numeric_limits<double>::infinity() << "第3行第2列";
    }

    // A refused cell fails the save, so no workbook goes out short of a cell.
    void refusesCellsItCannotStore()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(QString, message);
        XlsWorkbook workbook;
        QVERIFY(workbook.setText(0, 0, u"标题"));
        const bool stored =
            text.isNull() ? workbook.setNumber(row, column, number) : workbook.setCell(row, column, text);
        QVERIFY(!stored);
        QVERIFY(workbook.setText(1, 0, u"之后"));
        QVERIFY2(workbook.errorString().contains(message), qPrintable(workbook.errorString()));

        const QString path = filePath(QStringLiteral("拒绝.xls"));
        QString error;
        QVERIFY(!workbook.save(path, &error));
        QCOMPARE(error, workbook.errorString());
        QVERIFY(!QFile::exists(path));
    }

    void saveFailure_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("folder missing") << filePath(QStringLiteral("没有的文件夹/导出.xls"));
        QTest::newRow("path is a folder") << m_dir.path();
        QTest::newRow("folder is a file") << filePath(QStringLiteral("普通文件/导出.xls"));
    }

    void saveFailure()
    {
        QFETCH(QString, path);
        QFile plain(filePath(QStringLiteral("普通文件")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        XlsWorkbook workbook;
        QVERIFY(workbook.setText(0, 0, u"内容"));
        QString error;
        QVERIFY(!workbook.save(path, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    }

    void refusesInvalidSheetNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "";
        QTest::newRow("32 characters") << QString(32, u'房');
        QTest::newRow("slash") << "一/二";
        QTest::newRow("bracket") << "表[1]";
        QTest::newRow("question mark") << "表?";
        QTest::newRow("leading apostrophe") << "'表";
    }

    void refusesInvalidSheetNames()
    {
        QFETCH(QString, name);
        XlsWorkbook workbook;
        QVERIFY(!workbook.setSheetName(name));
        QCOMPARE(workbook.sheetName(), QStringLiteral("Sheet1"));
    }
};

LANTING_TEST(TestXlsWorkbook)
#include "tst_xlsworkbook.moc"
