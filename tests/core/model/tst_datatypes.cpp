#include "model/datatypes.h"

#include "testmain.h"

#include <limits>

using namespace Velmora;

class tst_DataTypes : public QObject
{
    Q_OBJECT
private slots:
    void typeNamesInKeyOrder();
    void colors_data();
    void colors();
    void defaultValue_data();
    void defaultValue();
    void convertValue_data();
    void convertValue();
    void isInRange_data();
    void isInRange();
};

void tst_DataTypes::typeNamesInKeyOrder()
{
    QCOMPARE(DataTypes::instance().typeNames(),
             QStringList({ "bool", "float", "int16", "int32", "int8", "uint16", "uint32", "uint8" }));
    QVERIFY(&DataTypes::instance() == &DataTypes::instance());
}

void tst_DataTypes::colors_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QColor>("color");

    QTest::newRow("int8") << "int8" << QColor(215, 210, 78);
    QTest::newRow("int16") << "int16" << QColor(215, 123, 78);
    QTest::newRow("int32") << "int32" << QColor(203, 68, 68);
    QTest::newRow("uint8") << "uint8" << QColor(203, 68, 131);
    QTest::newRow("uint16") << "uint16" << QColor(203, 185, 203);
    QTest::newRow("uint32") << "uint32" << QColor(203, 68, 131);
    QTest::newRow("float") << "float" << QColor(78, 114, 255);
    QTest::newRow("bool") << "bool" << QColor(78, 255, 138);
    QTest::newRow("unknown") << "int" << QColor();
}

void tst_DataTypes::colors()
{
    QFETCH(QString, type);
    QFETCH(QColor, color);
    QCOMPARE(DataTypes::instance().color(type), color);
    QCOMPARE(DataTypes::instance().color(type).isValid(), color.isValid());
}

void tst_DataTypes::defaultValue_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("float") << "float" << QVariant::fromValue(0.0f);
    QTest::newRow("bool") << "bool" << QVariant(false);
    QTest::newRow("int8") << "int8" << QVariant(0);
    QTest::newRow("int32") << "int32" << QVariant(0);
    QTest::newRow("uint8") << "uint8" << QVariant(0);
    QTest::newRow("uint32") << "uint32" << QVariant(0);
    QTest::newRow("unknown") << "text" << QVariant(0);
}

void tst_DataTypes::defaultValue()
{
    QFETCH(QString, type);
    QFETCH(QVariant, value);
    const QVariant result = DataTypes::defaultValue(type);
    QCOMPARE(result.userType(), value.userType());
    QCOMPARE(result, value);
}

void tst_DataTypes::convertValue_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QVariant>("result");

    QTest::newRow("text 12 to uint8") << "uint8" << QVariant("12") << QVariant(12u);
    QTest::newRow("int to uint16") << "uint16" << QVariant(7) << QVariant(7u);
    QTest::newRow("text to uint32 fails") << "uint32" << QVariant("x") << QVariant(0);
    QTest::newRow("text 2.5 to float") << "float" << QVariant("2.5") << QVariant(2.5);
    QTest::newRow("float-typed to float") << "float" << QVariant::fromValue(1.5f) << QVariant(1.5);
    QTest::newRow("text to float fails") << "float" << QVariant("abc") << QVariant::fromValue(0.0f);
    QTest::newRow("text true to bool") << "bool" << QVariant("true") << QVariant(true);
    QTest::newRow("text TRUE to bool") << "bool" << QVariant("TRUE") << QVariant(true);
    QTest::newRow("text false to bool") << "bool" << QVariant("false") << QVariant(false);
    QTest::newRow("no boolean word to bool") << "bool" << QVariant("abc") << QVariant(false);
    QTest::newRow("text 1 to bool") << "bool" << QVariant("1") << QVariant(true);
    QTest::newRow("int 3 to bool") << "bool" << QVariant(3) << QVariant(true);
    QTest::newRow("double 0 to bool") << "bool" << QVariant(0.0) << QVariant(false);
    QTest::newRow("text to int16") << "int16" << QVariant("-5") << QVariant(-5);
    QTest::newRow("no number to int16") << "int16" << QVariant("abc") << QVariant(0);
    QTest::newRow("bool to int8") << "int8" << QVariant(true) << QVariant(1);
    QTest::newRow("double to int32") << "int32" << QVariant(2.0) << QVariant(2);
    QTest::newRow("unknown type gives int") << "int" << QVariant("9") << QVariant(9);
    QTest::newRow("no narrowing to 8 bits") << "int8" << QVariant(1000) << QVariant(1000);
}

void tst_DataTypes::convertValue()
{
    QFETCH(QString, type);
    QFETCH(QVariant, input);
    QFETCH(QVariant, result);
    const QVariant converted = DataTypes::convertValue(type, input);
    QCOMPARE(converted.userType(), result.userType());
    QCOMPARE(converted, result);
}

void tst_DataTypes::isInRange_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("inRange");

    QTest::newRow("int8 lowest") << "int8" << QVariant(-128) << true;
    QTest::newRow("int8 below") << "int8" << QVariant(-129) << false;
    QTest::newRow("int8 above") << "int8" << QVariant(128) << false;
    QTest::newRow("uint8 highest") << "uint8" << QVariant(255u) << true;
    QTest::newRow("uint8 300") << "uint8" << QVariant(300u) << false;
    QTest::newRow("uint8 negative") << "uint8" << QVariant(-1) << false;
    QTest::newRow("int16 above") << "int16" << QVariant(32768) << false;
    QTest::newRow("uint16 highest") << "uint16" << QVariant(65535) << true;
    QTest::newRow("uint16 above") << "uint16" << QVariant(65536) << false;
    QTest::newRow("int32 lowest") << "int32" << QVariant(qint64(-2147483648LL)) << true;
    QTest::newRow("int32 above") << "int32" << QVariant(qint64(2147483648LL)) << false;
    QTest::newRow("uint32 highest") << "uint32" << QVariant(4294967295u) << true;
    QTest::newRow("uint32 above") << "uint32" << QVariant(qint64(4294967296LL)) << false;
    QTest::newRow("float highest") << "float" << QVariant(double(std::numeric_limits<float>::max())) << true;
    QTest::newRow("float above") << "float" << QVariant(1e39) << false;
    QTest::newRow("float not a number") << "float" << QVariant(std::numeric_limits<double>::quiet_NaN()) << false;
    QTest::newRow("text 300 for uint8") << "uint8" << QVariant("300") << false;
    QTest::newRow("text no number") << "uint8" << QVariant("abc") << true;
    QTest::newRow("bool") << "bool" << QVariant(300) << true;
    QTest::newRow("unknown type") << "int" << QVariant(1e12) << true;
}

void tst_DataTypes::isInRange()
{
    QFETCH(QString, type);
    QFETCH(QVariant, value);
    QFETCH(bool, inRange);
    QCOMPARE(DataTypes::isInRange(type, value), inRange);
}

VLM_TEST_MAIN(tst_DataTypes)
#include "tst_datatypes.moc"
