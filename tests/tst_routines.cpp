// The routines every window shares, the number masks, and the start-up
// upgrade against a real database.
#include "tests/support/TestEnv.h"

#include "data/Clock.h"
#include "data/Format.h"
#include "data/Routines.h"
#include "data/TLOGON.h"
#include "data/Upgrade.h"
#include "ui/Errors.h"

#include <QImage>
#include <QPainter>

class TestRoutines : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    void isNumber_data();
    void isNumber();
    void isDateText_data();
    void isDateText();
    void removeAccents_data();
    void removeAccents();
    void hasRight_data();
    void hasRight();
    void normalizeProductCode_data();
    void normalizeProductCode();

    void ean13Modules_data();
    void ean13Modules();
    void ean13ParityFollowsFirstDigit_data();
    void ean13ParityFollowsFirstDigit();
    void ean13RejectsBadCodes_data();
    void ean13RejectsBadCodes();
    void drawEan13Image();

    void formatFloat_data();
    void formatFloat();
    void padNumber_data();
    void padNumber();

    void upgradeAddsMissingColumns();
    void upgradeOnCurrentDatabaseChangesNothing();
    void upgradeErrorsReachTheCaller();
};

void TestRoutines::cleanup() { Clock::setFixed(QDateTime()); }

// ---------------------------------------------------------------- texts

void TestRoutines::isNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("integer") << "12" << "S";
    QTest::newRow("decimal comma") << "12,5" << "S";
    QTest::newRow("blanks around") << "  12,5 " << "S";
    QTest::newRow("negative") << "-3,25" << "S";
    QTest::newRow("leading comma") << ",5" << "S";
    QTest::newRow("zero") << "0" << "S";
    QTest::newRow("decimal point") << "12.5" << "N";
    QTest::newRow("thousands separator") << "1.234,5" << "N";
    QTest::newRow("two commas") << "1,2,3" << "N";
    QTest::newRow("empty") << "" << "N";
    QTest::newRow("blanks only") << "   " << "N";
    QTest::newRow("letters") << "abc" << "N";
    QTest::newRow("trailing letter") << "12a" << "N";
    QTest::newRow("blank inside") << "1 2" << "N";
}

void TestRoutines::isNumber()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(IsNumber(text), expected);
}

void TestRoutines::isDateText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("dd/mm/yy") << "25/03/21" << "S";
    QTest::newRow("dd/mm/yyyy") << "25/03/2021" << "S";
    QTest::newRow("first day of 2001") << "01/01/01" << "S";
    QTest::newRow("leap day") << "29/02/24" << "S";
    QTest::newRow("no leap day") << "29/02/21" << "N";
    QTest::newRow("day 31 of april") << "31/04/21" << "N";
    QTest::newRow("month 13") << "01/13/21" << "N";
    QTest::newRow("month first") << "03/25/2021" << "N";
    QTest::newRow("dashes") << "25-03-21" << "N";
    QTest::newRow("empty") << "" << "N";
    QTest::newRow("masked but blank") << "  /  /  " << "N";
    QTest::newRow("letters") << "ontem" << "N";
}

void TestRoutines::isDateText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    Clock::setFixed(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
    QCOMPARE(IsDateText(text), expected);
}

void TestRoutines::removeAccents_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("place name") << "SÃO JOÃO D'ÁGUA" << "SAO JOAO D.AGUA";
    QTest::newRow("lower case") << "açúcar, maçã e pão" << "acucar, maca e pao";
    QTest::newRow("whole table")
        << "àáâãäåçèéêëìíîïñòóôõöùüúÿÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÑÒÓÔÕÖÙÜÚ"
        << "aaaaaaceeeeiiiinooooouuuyAAAAAACEEEEIIIINOOOOOUUU";
    QTest::newRow("cedillas") << "Çç" << "Cc";
    QTest::newRow("not in the table") << "ûÛýÝ°ª" << "ûÛýÝ°ª";
    QTest::newRow("apostrophes only") << "''" << "..";
    QTest::newRow("plain") << "RUA 7, N. 10" << "RUA 7, N. 10";
    QTest::newRow("empty") << "" << "";
}

void TestRoutines::removeAccents()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString got = RemoveAccents(text);
    QCOMPARE(got, expected);
    QCOMPARE(got.size(), text.size());
}

void TestRoutines::hasRight_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("bit");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no rights") << 0 << 1 << "N";
    QTest::newRow("no rights, bit 64") << 0 << 64 << "N";
    QTest::newRow("all rights, bit 64") << 127 << 64 << "S";
    QTest::newRow("all rights, bit 1") << 127 << 1 << "S";
    QTest::newRow("all rights, bit 128") << 127 << 128 << "N";
    QTest::newRow("96, bit 64") << 96 << 64 << "S";
    QTest::newRow("96, bit 32") << 96 << 32 << "S";
    QTest::newRow("96, bit 16") << 96 << 16 << "N";
    QTest::newRow("96, bit 1") << 96 << 1 << "N";
    QTest::newRow("only bit 1") << 1 << 1 << "S";
    QTest::newRow("only bit 1, bit 2") << 1 << 2 << "N";
    QTest::newRow("5, bit 4") << 5 << 4 << "S";
    QTest::newRow("5, bit 2") << 5 << 2 << "N";
    QTest::newRow("bit 128 set") << 128 << 128 << "S";
    QTest::newRow("bit 128 alone, bit 64") << 128 << 64 << "N";
    QTest::newRow("255, bit 128") << 255 << 128 << "S";
    QTest::newRow("negative mask, bit 1") << -1 << 1 << "N";
    QTest::newRow("negative mask, bit 64") << -65 << 64 << "N";
    QTest::newRow("negative mask, bit 128") << -128 << 128 << "N";
    QTest::newRow("bit 3 is no right") << 127 << 3 << "N";
    QTest::newRow("bit 96 is no right") << 96 << 96 << "N";
    QTest::newRow("bit 0") << 127 << 0 << "N";
    QTest::newRow("bit 256") << 511 << 256 << "N";
    // Taking 128, 64, ... off a mask above 255 would grant bits it does not hold.
    QTest::newRow("256 holds no low bit") << 256 << 4 << "N";
    QTest::newRow("257, bit 1") << 257 << 1 << "S";
}

void TestRoutines::hasRight()
{
    QFETCH(int, mask);
    QFETCH(int, bit);
    QFETCH(QString, expected);
    QCOMPARE(HasRight(mask, bit), expected);
}

void TestRoutines::normalizeProductCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("short number") << "12" << "000012";
    QTest::newRow("blanks around") << " 12 " << "000012";
    QTest::newRow("negative") << "-5" << "-000005";
    QTest::newRow("plus sign") << "+12" << "000012";
    QTest::newRow("zero") << "0" << "000000";
    QTest::newRow("already six") << "000012" << "000012";
    QTest::newRow("four with zeros") << "0012" << "000012";
    QTest::newRow("seven digits") << "1234567" << "1234567";
    QTest::newRow("largest 32-bit") << "2147483647" << "2147483647";
    QTest::newRow("smallest 32-bit") << "-2147483648" << "-2147483648";
    QTest::newRow("beyond 32 bits") << "2147483648" << "2147483648";
    QTest::newRow("beyond 32 bits, padded") << " 02147483648 " << "02147483648";
    QTest::newRow("barcode") << "7891234567895" << "7891234567895";
    QTest::newRow("letters") << "abc" << "abc";
    QTest::newRow("letters trimmed") << "  AB-1 " << "AB-1";
    QTest::newRow("number then letter") << "12a" << "12a";
    QTest::newRow("decimal") << "12,5" << "12,5";
    QTest::newRow("kit code") << "/12" << "/12";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("blanks") << "   " << "";
}

void TestRoutines::normalizeProductCode()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(NormalizeProductCode(text), expected);
}

// ---------------------------------------------------------------- EAN-13

void TestRoutines::ean13Modules_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");
    // Each block is one digit in the set the standard gives for its place.
    QTest::newRow("7891234567895") << "7891234567895"
        << QString("101"
                   "0110111" "0010111" "0011001" "0011011" "0111101" "0011101" // 8A 9B 1A 2B 3A 4B
                   "01010"
                   "1001110" "1010000" "1000100" "1001000" "1110100" "1001110" // 5 6 7 8 9 5
                   "101");
    QTest::newRow("0012345678905") << "0012345678905"
        << QString("101"
                   "0001101" "0011001" "0010011" "0111101" "0100011" "0110001" // 0 1 2 3 4 5, all A
                   "01010"
                   "1010000" "1000100" "1001000" "1110100" "1110010" "1001110" // 6 7 8 9 0 5
                   "101");
    // First digit 9: parity ABBABA, so the 3 after it takes its odd-parity code.
    QTest::newRow("9312345678907") << "9312345678907"
        << QString("101"
                   "0111101" "0110011" "0011011" "0111101" "0011101" "0110001" // 3A 1B 2B 3A 4B 5A
                   "01010"
                   "1010000" "1000100" "1001000" "1110100" "1110010" "1000100" // 6 7 8 9 0 7
                   "101");
    // The check digit is drawn as typed, never computed.
    QTest::newRow("wrong check digit") << "0012345678900"
        << QString("101"
                   "0001101" "0011001" "0010011" "0111101" "0100011" "0110001"
                   "01010"
                   "1010000" "1000100" "1001000" "1110100" "1110010" "1110010"
                   "101");
    // A first character that is not a digit counts as 0; characters past 13 are not drawn.
    QTest::newRow("letter first") << "X012345678905"
        << QString("101"
                   "0001101" "0011001" "0010011" "0111101" "0100011" "0110001"
                   "01010"
                   "1010000" "1000100" "1001000" "1110100" "1110010" "1001110"
                   "101");
    QTest::newRow("fourteen characters") << "00123456789057"
        << QString("101"
                   "0001101" "0011001" "0010011" "0111101" "0100011" "0110001"
                   "01010"
                   "1010000" "1000100" "1001000" "1110100" "1110010" "1001110"
                   "101");
}

void TestRoutines::ean13Modules()
{
    QFETCH(QString, code);
    QFETCH(QString, expected);
    QCOMPARE(expected.size(), 95);
    QCOMPARE(Ean13Modules(code), expected);
}

void TestRoutines::ean13ParityFollowsFirstDigit_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("parity");
    const char *table[] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                           "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
    for (int d = 0; d < 10; ++d)
        QTest::addRow("first digit %d", d) << QString::number(d) << QString::fromLatin1(table[d]);
}

void TestRoutines::ean13ParityFollowsFirstDigit()
{
    QFETCH(QString, first);
    QFETCH(QString, parity);
    // With zeros after the first digit each left block is the 0 of set A or of set B.
    const QString modules = Ean13Modules(first + "000000000000");
    QString seen;
    for (int i = 0; i < 6; ++i) {
        const QString block = modules.mid(3 + 7 * i, 7);
        seen += block == "0001101" ? 'A' : block == "0100111" ? 'B' : '?';
    }
    QCOMPARE(seen, parity);
    QCOMPARE(modules.mid(45, 5), QString("01010"));
    QCOMPARE(modules.mid(50, 42), QString("1110010").repeated(6));
}

void TestRoutines::ean13RejectsBadCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("empty") << "";
    QTest::newRow("twelve digits") << "001234567890";
    QTest::newRow("letter in place 2") << "0A12345678905";
    QTest::newRow("letter in place 13") << "001234567890X";
    QTest::newRow("blank inside") << "0012345 78905";
    QTest::newRow("comma") << "0012345,78905";
}

void TestRoutines::ean13RejectsBadCodes()
{
    QFETCH(QString, code);
    QVERIFY_THROWS_EXCEPTION(ConvertError, Ean13Modules(code));
    QImage image(120, 90, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    QVERIFY_THROWS_EXCEPTION(ConvertError, DrawEan13(code, painter));
}

void TestRoutines::drawEan13Image()
{
    const QString code = "7891234567895";
    const QString modules = Ean13Modules(code);
    const QColor background(0x80, 0x40, 0x20);
    QImage image(130, 100, QImage::Format_RGB32);
    image.fill(background);
    {
        QPainter painter(&image);
        DrawEan13(code, painter);
    }
    // Columns 10 to 104, 85 pixels high, black for "1" and white for "0";
    // nothing else painted.
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            QColor want = background;
            if (x >= 10 && x <= 104 && y < 85)
                want = modules.at(x - 10) == '1' ? QColor(Qt::black) : QColor(Qt::white);
            if (image.pixelColor(x, y) != want)
                QFAIL(qPrintable(QString("pixel %1,%2 is %3, expected %4")
                                     .arg(x).arg(y).arg(image.pixelColor(x, y).name(), want.name())));
        }
    }
}

// ---------------------------------------------------------------- number masks

void TestRoutines::formatFloat_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0: rounds half up") << "0" << 12.5 << "13";
    QTest::newRow("0: negative half") << "0" << -12.5 << "-13";
    QTest::newRow("0: below half") << "0" << 12.49 << "12";
    QTest::newRow("0: zero") << "0" << 0.0 << "0";
    QTest::newRow("0: no grouping") << "0" << 1234567.0 << "1234567";
    QTest::newRow("#: zero prints nothing") << "#" << 0.0 << "";
    QTest::newRow("#: whole") << "#" << 5.0 << "5";
    QTest::newRow("#0: zero") << "#0" << 0.0 << "0";
    QTest::newRow("#0: id") << "#0" << 4711.0 << "4711";

    QTest::newRow("0.00: rounds") << "0.00" << 1234.567 << "1234,57";
    QTest::newRow("0.00: half as read") << "0.00" << 2.675 << "2,68";
    QTest::newRow("0.00: negative half") << "0.00" << -1234.565 << "-1234,57";
    QTest::newRow("0.00: pads decimals") << "0.00" << 5.0 << "5,00";
    QTest::newRow("0.00: zero") << "0.00" << 0.0 << "0,00";
    QTest::newRow("0.00: tiny negative loses its sign") << "0.00" << -0.001 << "0,00";
    QTest::newRow("0.00: below one") << "0.00" << 0.5 << "0,50";
    QTest::newRow("0.00: carry into units") << "0.00" << 9.996 << "10,00";
    QTest::newRow("0.000: sql number") << "0.000" << 345.25 << "345,250";
    QTest::newRow("0.0000: cost") << "0.0000" << 12.5 << "12,5000";

    QTest::newRow("##,##0.000: grouping") << "##,##0.000" << 1234567.8915 << "1.234.567,892";
    QTest::newRow("##,##0.000: small") << "##,##0.000" << 12.3 << "12,300";
    QTest::newRow("##,##0.000: zero") << "##,##0.000" << 0.0 << "0,000";
    QTest::newRow("##,##0.000: negative") << "##,##0.000" << -1234.5 << "-1.234,500";
    QTest::newRow("##,##0.00: exactly thousand") << "##,##0.00" << 1000.0 << "1.000,00";
    QTest::newRow("##,##0.0: hundreds") << "##,##0.0" << 999.94 << "999,9";
    QTest::newRow("#,##0.00: millions") << "#,##0.00" << 1000000.0 << "1.000.000,00";
    QTest::newRow("#,##0.00: carry makes a group") << "#,##0.00" << 999.995 << "1.000,00";
    QTest::newRow("#,##0.00: negative millions") << "#,##0.00" << -1234567.891 << "-1.234.567,89";
    QTest::newRow("#,##0.00000000: kit quantity") << "#,##0.00000000" << 1234.5 << "1.234,50000000";

    QTest::newRow("0.0%: literal percent") << "0.0%" << 12.345 << "12,3%";
    QTest::newRow("0.0%: zero") << "0.0%" << 0.0 << "0,0%";
    QTest::newRow("0.0%: negative half") << "0.0%" << -3.25 << "-3,3%";
    QTest::newRow("R$ prefix") << "R$ #,##0.00" << 1234.5 << "R$ 1.234,50";
    QTest::newRow("R$ prefix, negative") << "R$ 0.00" << -5.0 << "-R$ 5,00";
    QTest::newRow("quoted literal") << "0.00 \"kg\"" << 1.5 << "1,50 kg";

    QTest::newRow("0.#: whole") << "0.#" << 5.0 << "5";
    QTest::newRow("0.#: rounds") << "0.#" << 12.25 << "12,3";
    QTest::newRow("0.#: one decimal") << "0.#" << 12.2 << "12,2";
    QTest::newRow("0.#: rounds to whole") << "0.#" << 2.96 << "3";
    QTest::newRow("0.#: zero") << "0.#" << 0.0 << "0";
    QTest::newRow("0.#: negative") << "0.#" << -7.5 << "-7,5";
    QTest::newRow("0.#: tiny negative") << "0.#" << -0.04 << "0";
    QTest::newRow("0.0##: whole") << "0.0##" << 2.0 << "2,0";
    QTest::newRow("0.0##: two decimals") << "0.0##" << 1.25 << "1,25";
    QTest::newRow("0.0##: rounds at three") << "0.0##" << 1.2345 << "1,235";
    QTest::newRow("0.0##: negative") << "0.0##" << -0.5 << "-0,5";

    QTest::newRow("000000: pads") << "000000" << 12.0 << "000012";
    QTest::newRow("000000: negative") << "000000" << -5.0 << "-000005";
    QTest::newRow("000000: longer keeps digits") << "000000" << 1234567.0 << "1234567";
    QTest::newRow("000000: rounds") << "000000" << 12.5 << "000013";
    QTest::newRow("#000: pads to three") << "#000" << 5.0 << "005";
    QTest::newRow("#000: longer") << "#000" << 12345.0 << "12345";
    QTest::newRow("#000: zero") << "#000" << 0.0 << "000";
    QTest::newRow("#0.00: below one") << "#0.00" << 0.5 << "0,50";
    QTest::newRow("#0.00: no grouping") << "#0.00" << 1234.5 << "1234,50";
    QTest::newRow("##0.00: negative") << "##0.00" << -0.125 << "-0,13";

    QTest::newRow("sections: negative") << "0.00;(0.00)" << -5.0 << "(5,00)";
    QTest::newRow("sections: positive") << "0.00;(0.00)" << 5.0 << "5,00";
    QTest::newRow("sections: zero") << "0.00;(0.00);-" << 0.0 << "-";
    QTest::newRow("empty mask") << "" << 12.5 << "12,5";
}

void TestRoutines::formatFloat()
{
    QFETCH(QString, mask);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(Format::FormatFloat(mask, value), expected);
}

void TestRoutines::padNumber_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("#000 to 7") << "#000" << 7 << 5.0 << "    005";
    QTest::newRow("longer than width") << "0.00" << 4 << 123.4 << "123,40";
    QTest::newRow("exact width") << "0.00" << 6 << 123.4 << "123,40";
    QTest::newRow("cost centre code") << "#0" << 10 << 3.0 << "         3";
    QTest::newRow("total label") << "#0.00" << 12 << 1234.5 << "     1234,50";
    QTest::newRow("negative") << "#0.00" << 8 << -2.5 << "   -2,50";
    QTest::newRow("at most 19 spaces") << "#0" << 30 << 5.0 << QString(19, ' ') + "5";
    QTest::newRow("zero width") << "#0" << 0 << 5.0 << "5";
    QTest::newRow("negative width") << "#0" << -3 << 5.0 << "5";
}

void TestRoutines::padNumber()
{
    QFETCH(QString, pattern);
    QFETCH(int, width);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(PadNumber(pattern, width, value), expected);
}

// ---------------------------------------------------------------- start-up upgrade

namespace {

struct ColumnType
{
    int type = -1;   // rdb$field_type: 8 integer, 37 varchar
    int length = -1; // characters
    bool exists = false;
};

ColumnType columnType(TLOGON &logon, const QString &table, const QString &column)
{
    const TLOGON::Result r = logon.runStatement(
        QStringLiteral("select f.rdb$field_type, f.rdb$character_length from rdb$relation_fields r "
                       "join rdb$fields f on f.rdb$field_name = r.rdb$field_source "
                       "where r.rdb$relation_name = '%1' and r.rdb$field_name = '%2'")
            .arg(table, column),
        true);
    ColumnType t;
    if (r.rows.isEmpty())
        return t;
    t.exists = true;
    t.type = r.rows[0][0].toInt();
    t.length = r.rows[0][1].isNull() ? -1 : r.rows[0][1].toInt();
    return t;
}

QString probe(const QString &table, const QString &column)
{
    return "select * from rdb$relation_fields  where RDB$RELATION_FIELDS.rdb$relation_name = '" + table
        + "' AND  RDB$RELATION_FIELDS.RDB$FIELD_NAME = '" + column + "'";
}

const QString deleteEmpty = "delete from produtos where codigo = '' ";
const QString deleteNull = "delete from produtos where codigo is null ";

} // namespace

void TestRoutines::upgradeAddsMissingColumns()
{
    TestRoot root;
    auto logon = root.connect();
    // An older database: the three columns are missing, and products without a
    // code were left behind by earlier versions together with their movements.
    logon->runStatement("alter table kestrum drop codvend", false);
    logon->runStatement("alter table produtos drop ncm", false);
    logon->runStatement("alter table produtos drop extendida", false);
    logon->runStatement("insert into kestrum (id, nome, senha, master) values (GEN_ID(SENHA,1), 'ANA', '1', 'N')", false);
    logon->runStatement("insert into produtos (id, codigo, nome) values (GEN_ID(PRODUTO,1), '000012', 'PARAFUSO')", false);
    logon->runStatement("insert into produtos (id, codigo, nome) values (GEN_ID(PRODUTO,1), '', 'SEM CODIGO')", false);
    logon->runStatement("insert into produtos (id, codigo, nome) values (GEN_ID(PRODUTO,1), null, 'NULO')", false);
    logon->runStatement("insert into produtos (id, codigo, nome) values (GEN_ID(PRODUTO,1), ' ', 'BRANCO')", false);
    logon->runStatement("insert into estfic (id, codigo, entrada, saida) values (GEN_ID(ESTFIC,1), '', 5, 0)", false);
    logon->runStatement("insert into estfic (id, codigo, entrada, saida) values (GEN_ID(ESTFIC,1), null, 3, 0)", false);
    logon->runStatement("insert into estfic (id, codigo, entrada, saida) values (GEN_ID(ESTFIC,1), '000012', 2, 0)", false);
    QVERIFY_THROWS_EXCEPTION(DbError, logon->RunOnQuery("produtos", "select * from produtos", "open"));
    QVERIFY_THROWS_EXCEPTION(DbError, logon->RunOnQuery("kestrum", "select * from kestrum", "open"));

    logon->setRecording(true);
    RunStartupUpgrade(*logon);
    QCOMPARE(logon->takeStatements(),
             QStringList({deleteEmpty, deleteNull,
                          probe("KESTRUM", "CODVEND"), "ALTER TABLE KESTRUM ADD CODVEND INTEGER",
                          probe("PRODUTOS", "NCM"), "ALTER TABLE PRODUTOS ADD NCM VARCHAR(8)",
                          probe("PRODUTOS", "EXTENDIDA"), "ALTER TABLE PRODUTOS ADD EXTENDIDA VARCHAR(60)"}));
    QVERIFY(!logon->Atualiza.active());

    const ColumnType codvend = columnType(*logon, "KESTRUM", "CODVEND");
    QVERIFY(codvend.exists);
    QCOMPARE(codvend.type, 8);
    const ColumnType ncm = columnType(*logon, "PRODUTOS", "NCM");
    QCOMPARE(ncm.type, 37);
    QCOMPARE(ncm.length, 8);
    const ColumnType extendida = columnType(*logon, "PRODUTOS", "EXTENDIDA");
    QCOMPARE(extendida.type, 37);
    QCOMPARE(extendida.length, 60);

    // Every user comes back without rights: a null mask grants nothing.
    QCOMPARE(scalar(*logon, "select count(*) from kestrum").toInt(), 2);
    QCOMPARE(scalar(*logon, "select count(*) from kestrum where codvend is not null").toInt(), 0);

    // Only the products without a code went (Firebird ignores trailing blanks
    // when comparing texts, so a code of blanks counts as empty). Their
    // movements stay.
    const TLOGON::Result left = logon->runStatement("select nome from produtos order by nome", true);
    QCOMPARE(left.rows.size(), 1);
    QCOMPARE(left.rows[0][0].toString(), QString("PARAFUSO"));
    QCOMPARE(scalar(*logon, "select count(*) from estfic").toInt(), 3);
    QCOMPARE(scalar(*logon, "select sum(entrada) from estfic where codigo = '' or codigo is null").toDouble(), 8.0);

    // The windows open their tables again.
    logon->RunOnQuery("produtos", "select * from produtos where codigo = '000012'", "open");
    QCOMPARE(logon->Produtos.text("nome"), QString("PARAFUSO"));
    QVERIFY(logon->Produtos.isNull("ncm"));
    logon->RunOnQuery("kestrum", "select * from kestrum", "open");
    QCOMPARE(logon->KESTRUM.count(), 2);
    logon->runStatement("update produtos set ncm = '12345678', extendida = '" + QString(60, 'X') + "'", false);
    QVERIFY_THROWS_EXCEPTION(DbError, logon->runStatement("update produtos set ncm = '123456789'", false));

    // A second start finds nothing to do.
    logon->takeStatements();
    RunStartupUpgrade(*logon);
    QCOMPARE(logon->takeStatements(),
             QStringList({deleteEmpty, deleteNull, probe("KESTRUM", "CODVEND"), probe("PRODUTOS", "NCM"),
                          probe("PRODUTOS", "EXTENDIDA")}));
    QCOMPARE(columnType(*logon, "PRODUTOS", "NCM").length, 8);
    QCOMPARE(scalar(*logon, "select count(*) from produtos").toInt(), 1);
    QCOMPARE(scalar(*logon, "select count(*) from estfic").toInt(), 3);
}

void TestRoutines::upgradeOnCurrentDatabaseChangesNothing()
{
    TestRoot root;
    auto logon = root.connect();
    logon->setRecording(true);
    RunStartupUpgrade(*logon);
    const QStringList run = logon->takeStatements();
    QCOMPARE(run.size(), 5);
    QVERIFY(run.filter("ALTER TABLE").isEmpty());
    // The current columns stay as wide as they are.
    QCOMPARE(columnType(*logon, "PRODUTOS", "NCM").length, 10);
    QCOMPARE(columnType(*logon, "PRODUTOS", "EXTENDIDA").length, 80);
    QCOMPARE(scalar(*logon, "select codvend from kestrum").toInt(), 127);
}

void TestRoutines::upgradeErrorsReachTheCaller()
{
    TestRoot root;
    auto logon = root.connect();
    // A column that cannot be added: the table it belongs to is gone.
    logon->runStatement("drop table kestrum", false);
    logon->setRecording(true);
    QVERIFY_THROWS_EXCEPTION(DbError, RunStartupUpgrade(*logon));
    const QStringList run = logon->takeStatements();
    // It stops at the failing statement: the later columns are not even probed.
    QCOMPARE(run.size(), 4);
    QCOMPARE(run.last(), QString("ALTER TABLE KESTRUM ADD CODVEND INTEGER"));
}

TAMBLO_TEST_MAIN(TestRoutines)
#include "tst_routines.moc"
