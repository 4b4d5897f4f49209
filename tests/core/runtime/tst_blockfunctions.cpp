#include "runtimetesthelpers.h"
#include "testmain.h"

using namespace Velmora;

// What each function of the library computes, one section of the library per test: every
// row feeds one block a short sequence of inputs, one cycle of 10 ms each unless a row says
// otherwise, and lists what it gives after each cycle (see runBlock).
class tst_BlockFunctions : public QObject
{
    Q_OBJECT
private slots:
    void logic_data();
    void logic() { check(); }
    void triggers_data();
    void triggers() { check(); }
    void timers_data();
    void timers() { check(); }
    void counters_data();
    void counters() { check(); }
    void comparison_data();
    void comparison() { check(); }
    void mathematics_data();
    void mathematics() { check(); }
    void conversion_data();
    void conversion() { check(); }
    void cast_data();
    void cast() { check(); }
    void comparators_data();
    void comparators() { check(); }
    void control_data();
    void control() { check(); }
    void deviceIo_data();
    void deviceIo() { check(); }
    void data_data();
    void data() { check(); }

private:
    static void columns();
    static void check();
};

void tst_BlockFunctions::columns()
{
    QTest::addColumn<int>("function");
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("outputs");
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("cycleMs");
}

void tst_BlockFunctions::check()
{
    QFETCH(int, function);
    QFETCH(QString, inputs);
    QFETCH(QString, outputs);
    QFETCH(QString, sequence);
    QFETCH(QString, expected);
    QFETCH(int, cycleMs);
    QCOMPARE(runBlock(function, inputs, outputs, sequence, quint32(cycleMs)), cycles(expected));
}

void tst_BlockFunctions::logic_data()
{
    columns();
    const QString two = QStringLiteral("0,0; 0,1; 1,0; 1,1");
    const QString three = QStringLiteral("0,0,0; 1,0,0; 1,1,0; 1,1,1");
    QTest::newRow("AND") << 1 << "bool,bool" << "bool" << two << "0; 0; 0; 1" << 10;
    QTest::newRow("AND of three") << 1 << "bool,bool,bool" << "bool" << three << "0; 0; 0; 1" << 10;
    QTest::newRow("AND, input without source") << 1 << "bool,-" << "bool" << "1" << "0" << 10;
    QTest::newRow("AND, any non-zero is true") << 1 << "int32,bool" << "bool" << "-5,1" << "1" << 10;
    QTest::newRow("NAND") << 2 << "bool,bool" << "bool" << two << "1; 1; 1; 0" << 10;
    QTest::newRow("OR") << 3 << "bool,bool" << "bool" << two << "0; 1; 1; 1" << 10;
    QTest::newRow("NOR") << 4 << "bool,bool" << "bool" << two << "1; 0; 0; 0" << 10;
    QTest::newRow("XOR of three") << 5 << "bool,bool,bool" << "bool" << three << "0; 1; 0; 1" << 10;
    QTest::newRow("NXOR of three") << 6 << "bool,bool,bool" << "bool" << three << "1; 0; 1; 0" << 10;
    QTest::newRow("NOT") << 7 << "bool" << "bool" << "0; 1" << "1; 0" << 10;
}

void tst_BlockFunctions::triggers_data()
{
    columns();
    QTest::newRow("R_TRIG with Old State") << 11 << "bool" << "bool,bool" << "0; 1; 1; 0; 1"
                                           << "0,0; 1,1; 0,1; 0,0; 1,1" << 10;
    QTest::newRow("R_TRIG, true from the start") << 11 << "bool" << "bool" << "1; 1" << "1; 0" << 10;
    QTest::newRow("F_TRIG") << 10 << "bool" << "bool" << "1; 1; 0; 0; 1; 0" << "0; 0; 1; 0; 0; 1" << 10;
    QTest::newRow("RS, Reset dominates") << 12 << "bool,bool" << "bool,bool,bool" << "0,0; 1,0; 0,0; 1,1; 0,0; 0,1"
                                         << "0,1,0; 1,0,1; 1,0,1; 0,1,0; 0,1,0; 0,1,0" << 10;
    QTest::newRow("R_TRIG_T, 30 ms") << 14 << "bool,uint32=30" << "bool,uint32,uint32,bool" << "0; 1 x5"
                                     << "0,0,0,0; 1,10,40,1 x3; 0,10,40,1 x2" << 10;
    QTest::newRow("R_TRIG_T, 0 ms is one cycle") << 14 << "bool,uint32=0" << "bool" << "0; 1; 1" << "0; 1; 0" << 10;
    QTest::newRow("F_TRIG_T, 20 ms") << 13 << "bool,uint32=20" << "bool" << "1; 0 x4" << "0; 1; 1; 0; 0" << 10;
}

void tst_BlockFunctions::timers_data()
{
    columns();
    QTest::newRow("TON with its state") << 16 << "bool,uint32=30" << "bool,uint32,uint32,bool" << "0; 1 x4; 0; 1"
                                        << "0,0,0,0; 0,10,40,1 x3; 1,10,40,1; 0,10,40,0; 0,60,90,1" << 10;
    QTest::newRow("TON, a break starts it again") << 16 << "bool,uint32=30" << "bool" << "1 x2; 0; 1 x4"
                                                  << "0 x6; 1" << 10;
    QTest::newRow("TON, 0 ms") << 16 << "bool,uint32=0" << "bool" << "1; 0" << "1; 0" << 10;
    QTest::newRow("TOF") << 17 << "bool,uint32=20" << "bool" << "1 x2; 0 x4" << "1 x4; 0 x2" << 10;
    QTest::newRow("TOF, In again during the delay") << 17 << "bool,uint32=20" << "bool" << "1; 0; 1; 0 x3"
                                                    << "1 x5; 0" << 10;
    QTest::newRow("TP ignores In during the pulse") << 18 << "bool,uint32=30" << "bool" << "1; 0; 1; 0; 0; 1; 1"
                                                    << "1 x3; 0 x2; 1 x2" << 10;
    QTest::newRow("TP, In held") << 18 << "bool,uint32=20" << "bool" << "1 x5" << "1 x2; 0 x3" << 10;
    QTest::newRow("TP, 0 ms gives no pulse") << 18 << "bool,uint32=0" << "bool" << "1" << "0" << 10;
    QTest::newRow("TIMER") << 138 << "bool" << "uint32" << "0; 1 x3; 0; 1" << "0; 0; 10; 20; 0; 0" << 10;
    QTest::newRow("debounce") << 15 << "bool,uint32=20" << "bool" << "1 x3; 0 x3" << "0 x2; 1 x3; 0" << 10;
    QTest::newRow("debounce, a short pulse is lost") << 15 << "bool,uint32=20" << "bool" << "1; 0 x3" << "0 x4" << 10;
}

void tst_BlockFunctions::counters_data()
{
    columns();
    QTest::newRow("COUNTER, limit 3") << 19 << "bool,bool,uint32=3" << "bool,uint32,uint32,bool"
                                      << "1,0; 0,0; 1,0; 1,0; 0,0; 1,0; 0,0; 1,0; 0,1; 1,1; 0,0"
                                      << "0,1,2,1; 0,1,2,0; 0,2,1,1; 0,2,1,1; 0,2,1,0; 1,3,0,1; 1,3,0,0; "
                                         "1,4,0,1; 0,0,3,0; 0,0,3,1; 0,0,3,0"
                                      << 10;
    QTest::newRow("COUNTER, limit 0 is reached at once") << 19 << "bool,bool,uint32=0" << "bool" << "0,0" << "1" << 10;
}

void tst_BlockFunctions::comparison_data()
{
    columns();
    QTest::newRow("iEQ") << 20 << "int32,int32" << "bool" << "3,3; 3,-3" << "1; 0" << 10;
    QTest::newRow("fEQ, NaN is unequal") << 21 << "float,float" << "bool" << "0.5,0.5; nan,nan" << "1; 0" << 10;
    QTest::newRow("iGT is signed") << 22 << "int32,int32" << "bool" << "-1,-2; -1,1" << "1; 0" << 10;
    QTest::newRow("fGT") << 23 << "float,float" << "bool" << "1.5,1.25; 1.25,1.5" << "1; 0" << 10;
    QTest::newRow("iLT at the limits") << 24 << "int32,int32" << "bool" << "-2147483648,2147483647; 5,5" << "1; 0"
                                       << 10;
    QTest::newRow("fLT") << 25 << "float,float" << "bool" << "-inf,0; nan,1" << "1; 0" << 10;
    QTest::newRow("iGE") << 26 << "int32,int32" << "bool" << "5,5; 4,5" << "1; 0" << 10;
    QTest::newRow("fGE") << 27 << "float,float" << "bool" << "2.5,2.5; 2.4,2.5" << "1; 0" << 10;
    QTest::newRow("iLE") << 28 << "int32,int32" << "bool" << "5,5; 6,5" << "1; 0" << 10;
    QTest::newRow("fLE, zero and minus zero") << 29 << "float,float" << "bool" << "0,-0; 1,nan" << "1; 0" << 10;
}

void tst_BlockFunctions::mathematics_data()
{
    columns();
    QTest::newRow("iADD wraps") << 30 << "int32,int32,int32" << "int32" << "1,2,3; 2147483647,1,0"
                                << "6; -2147483648" << 10;
    QTest::newRow("fADD") << 31 << "float,float" << "float" << "0.5,0.25" << "0.75" << 10;
    QTest::newRow("iSUB, In 1 minus the rest") << 32 << "int32,int32,int32" << "int32"
                                               << "10,3,2; -2147483648,1,0" << "5; 2147483647" << 10;
    QTest::newRow("fSUB") << 33 << "float,float,float" << "float" << "1,0.25,0.5" << "0.25" << 10;
    QTest::newRow("iMUL wraps") << 34 << "int32,int32" << "int32" << "65536,65536; -3,4" << "0; -12" << 10;
    QTest::newRow("fMUL") << 35 << "float,float,float" << "float" << "1.5,2,-1" << "-3" << 10;
    QTest::newRow("iDIV with Mod") << 36 << "int32,int32" << "int32,int32" << "7,2; -7,2; 7,0; -2147483648,-1"
                                   << "3,1; -3,-1; 0,7; -2147483648,0" << 10;
    QTest::newRow("fDIV") << 37 << "float,float" << "float" << "1,4; 1,0; -1,0; 0,0" << "0.25; inf; -inf; nan" << 10;
    QTest::newRow("iABS") << 38 << "int32" << "int32" << "-5; -2147483648" << "5; -2147483648" << 10;
    QTest::newRow("fABS") << 39 << "float" << "float" << "-2.5" << "2.5" << 10;
    QTest::newRow("iSIN") << 40 << "int32" << "float" << "0" << "0" << 10;
    QTest::newRow("fSIN") << 41 << "float" << "float" << "0; 1.5707964" << "0; 1" << 10;
    QTest::newRow("iCOS") << 42 << "int32" << "float" << "0" << "1" << 10;
    QTest::newRow("fCOS") << 43 << "float" << "float" << "0" << "1" << 10;
    QTest::newRow("iLN") << 44 << "int32" << "float" << "1; 0" << "0; -inf" << 10;
    QTest::newRow("fLN") << 45 << "float" << "float" << "1; 0; -1" << "0; -inf; nan" << 10;
    QTest::newRow("iPOW") << 46 << "int32,uint32" << "float" << "-2,3" << "-8" << 10;
    QTest::newRow("fPOW") << 47 << "float,uint32" << "float" << "2,10; 1.5,2; 2,0" << "1024; 2.25; 1" << 10;
    QTest::newRow("iSQRT") << 48 << "int32" << "float" << "16; -1" << "4; nan" << 10;
    QTest::newRow("fSQRT") << 49 << "float" << "float" << "2.25" << "1.5" << 10;
}

void tst_BlockFunctions::conversion_data()
{
    columns();
    QTest::newRow("fSIGN") << 58 << "float" << "int32" << "-0.5; 0; 3; nan" << "-1; 0; 1; 0" << 10;
    QTest::newRow("fSAT") << 57 << "float,float=10,float=-5" << "float" << "12; -7; 3.5; nan" << "10; -5; 3.5; nan"
                          << 10;
    QTest::newRow("fINT") << 55 << "float" << "int32" << "2.7; -2.7; 3e9; -3e9; nan"
                          << "2; -2; 2147483647; -2147483648; 0" << 10;
    QTest::newRow("fFRAC") << 54 << "float" << "float" << "2.75; -2.75; inf" << "0.75; -0.75; 0" << 10;
    QTest::newRow("fAVER over 30 ms") << 53 << "float,uint32=30" << "float" << "3; 6; 9; 0; 0; 0"
                                      << "3; 4.5; 6; 5; 3; 0" << 10;
    QTest::newRow("fAVER, 25 ms take three samples") << 53 << "float,uint32=25" << "float" << "3; 6; 9; 0"
                                                     << "3; 4.5; 6; 5" << 10;
    QTest::newRow("fAVER, 0 ms is the sample") << 53 << "float,uint32=0" << "float" << "3; 6" << "3; 6" << 10;
}

void tst_BlockFunctions::cast_data()
{
    columns();
    QTest::newRow("bool to float") << 70 << "bool" << "float" << "0; 1" << "0; 1" << 10;
    QTest::newRow("bool to uint32") << 76 << "bool" << "uint32" << "1" << "1" << 10;
    QTest::newRow("float to bool") << 77 << "float" << "bool" << "0; -0; 0.5; nan" << "0; 0; 1; 1" << 10;
    QTest::newRow("float to int8 saturates") << 78 << "float" << "int8" << "127.9; 128; -129; -1.5; nan"
                                             << "127; 127; -128; -1; 0" << 10;
    QTest::newRow("float to uint8") << 81 << "float" << "uint8" << "-1; 255.5; 300" << "0; 255; 255" << 10;
    QTest::newRow("float to uint32") << 83 << "float" << "uint32" << "4e9; 5e9; -3" << "4000000000; 4294967295; 0"
                                     << 10;
    QTest::newRow("int8 to uint8 wraps") << 88 << "int8" << "uint8" << "-1" << "255" << 10;
    QTest::newRow("int8 to int32") << 87 << "int8" << "int32" << "-128" << "-128" << 10;
    QTest::newRow("int16 to float") << 92 << "int16" << "float" << "-300" << "-300" << 10;
    QTest::newRow("int32 to bool") << 98 << "int32" << "bool" << "0; -7" << "0; 1" << 10;
    QTest::newRow("int32 to int8 wraps") << 100 << "int32" << "int8" << "300; -129; 127" << "44; 127; 127" << 10;
    QTest::newRow("int32 to uint16 wraps") << 103 << "int32" << "uint16" << "-1; 70000" << "65535; 4464" << 10;
    QTest::newRow("uint8 to int8 wraps") << 107 << "uint8" << "int8" << "200" << "-56" << 10;
    QTest::newRow("uint16 to bool") << 112 << "uint16" << "bool" << "0; 256" << "0; 1" << 10;
    QTest::newRow("uint32 to float rounds") << 120 << "uint32" << "float" << "16777217" << "16777216" << 10;
    QTest::newRow("uint32 to int32") << 123 << "uint32" << "int32" << "4294967295" << "-1" << 10;
    QTest::newRow("uint32 to uint16") << 125 << "uint32" << "uint16" << "65537" << "1" << 10;
    QTest::newRow("float2int") << 126 << "float" << "int32" << "-2.5" << "-2" << 10;
    QTest::newRow("int2float") << 127 << "int32" << "float" << "7" << "7" << 10;
    QTest::newRow("float2uint") << 128 << "float" << "uint32" << "-2.5; 2.5" << "0; 2" << 10;
    QTest::newRow("uint2float") << 129 << "uint32" << "float" << "16777217" << "16777216" << 10;
    QTest::newRow("uint2int") << 130 << "uint32" << "int32" << "2147483648" << "-2147483648" << 10;
    QTest::newRow("int2uint") << 131 << "int32" << "uint32" << "-1" << "4294967295" << 10;
}

void tst_BlockFunctions::comparators_data()
{
    columns();
    QTest::newRow("threshold switch, on 10, off 5") << 52 << "float,float=10,float=5" << "bool"
                                                    << "0; 10; 7; 5; 7; 12" << "0; 1; 1; 0; 0; 1" << 10;
    QTest::newRow("differential switch, on 10, delta 3") << 51 << "float,float=10,float=3" << "bool"
                                                         << "10; 8; 7; 8" << "1; 1; 0; 0" << 10;
    QTest::newRow("comparator on In 1 - In 2") << 50 << "float,float,float=2,float=-2" << "bool"
                                               << "5,2; 4,3; 1,3; 2,1" << "1; 1; 0; 0" << 10;
}

void tst_BlockFunctions::control_data()
{
    columns();
    QTest::newRow("iPWM, 20 of 50 ms") << 59 << "uint8,uint32=20,uint32=50" << "bool" << "1 x7; 0; 1"
                                       << "1 x2; 0 x3; 1 x2; 0; 1" << 10;
    QTest::newRow("iPWM state") << 59 << "uint8,uint32=20,uint32=50" << "bool,uint32,uint32,uint8" << "1 x2"
                                << "1,20,50,1; 1,20,50,1" << 10;
    QTest::newRow("fPWM, a quarter of 40 ms") << 60 << "uint8,float=0.25,uint32=40" << "bool" << "1 x6"
                                              << "1; 0 x3; 1; 0" << 10;
    QTest::newRow("rectangle generator") << 132 << "uint8,uint32=30,uint32=10" << "bool" << "1 x4" << "1; 0; 0; 1"
                                         << 10;
    QTest::newRow("symmetrical generator") << 134 << "uint8,uint32=20" << "bool" << "1 x5" << "1; 1; 0; 0; 1" << 10;
    QTest::newRow("sine generator, four samples") << 135 << "uint8,uint32=40,uint16=4,int16=0" << "bool,_,_,_,uint8"
                                                  << "1 x5" << "1,0; 1,1; 1,2; 0,3; 1,0" << 10;
    QTest::newRow("ramp generator, four samples") << 133 << "uint8,uint32=40,uint16=4,uint8=0"
                                                  << "bool,_,_,_,_,uint8" << "1 x5" << "0,0; 1,1; 1,2; 1,3; 0,0" << 10;
    QTest::newRow("PID, integral held at the limit")
        << 61 << "uint8=1,float,float=0,float=0,float=1,float=0,float=-1,float=1" << "float,float,float"
        << "1; 1; 1; -1" << "0.5,0,0.5; 1,0.5,1; 1,1,1; 0.5,1,0.5" << 500;
    QTest::newRow("PID, derivative") << 61 << "uint8=1,float,float=0,float=0,float=0,float=1,float=-100,float=100"
                                     << "float" << "1; 2; 2" << "0; 2; 0" << 500;
    QTest::newRow("PID, disabled") << 61 << "uint8,float=1,float=0,float=1,float=0,float=0,float=-100,float=100"
                                   << "float" << "1; 0" << "1; 0" << 10;
}

void tst_BlockFunctions::deviceIo_data()
{
    columns();
    QTest::newRow("physical input 3") << 67 << "uint8=3,in.3" << "bool" << "0; 1; 0" << "0; 1; 0" << 10;
    QTest::newRow("physical input 4 is another") << 67 << "uint8=4,in.3" << "bool" << "1" << "0" << 10;
    QTest::newRow("physical output 2") << 68 << "uint8=2,bool" << "out.2,out.3" << "1; 0" << "1,0; 0,0" << 10;
    QTest::newRow("relay output 1") << 69 << "uint8=1,bool" << "rel.1,out.1" << "1" << "1,0" << 10;
    QTest::newRow("an output beyond 255 is dropped") << 68 << "uint32=300,bool" << "out.44" << "1" << "0" << 10;
    QTest::newRow("analog input 1") << 66 << "uint8=1,ain.1" << "float" << "2.5; -1" << "2.5; -1" << 10;
    QTest::newRow("analog input configuration")
        << 66 << "uint8=0,float=1,uint8=1,uint8=0,uint16=100,bool,ain.0" << "float,uint8,uint8"
        << "0,1.5; 1,1.5; 1,2; 0,2; 1,2" << "1.5,1,0; 1.5,2,1; 2,2,1; 2,2,0; 2,3,1" << 10;
    QTest::newRow("PWM output, half of 40 ms") << 136 << "uint8=0,float=0.5,uint16=40" << "out.0" << "x5"
                                               << "1; 1; 0; 0; 1" << 10;
    QTest::newRow("clock") << 140 << "clock" << "int32,int32,int32,int32,int32,int32,int32,uint32"
                           << "1700000000; 951782400"
                           << "20,13,22,2,14,11,2023,1700000000; 0,0,0,2,29,2,2000,951782400" << 10;
    QTest::newRow("watchdog") << 141 << "bool,bool,uint32=30" << "bool,bool,uint8,_,uint32"
                              << "1,0; 1,0; 1,1; 1,0 x4; 1,1; 0,0"
                              << "0,1,0,0 x5; 1,1,1,50 x2; 0,1,1,50; 0,0,1,50" << 10;
    QTest::newRow("serial ModBus is not simulated") << 143 << "-,-,-,-,-,-,-" << "bool,uint8" << "x1" << "0,0"
                                                    << 10;
}

void tst_BlockFunctions::data_data()
{
    columns();
    QTest::newRow("variable: Init Value, then Data In a cycle later")
        << 139 << "uint16=4,int32=7,int32,-" << "int32,var.4" << "1; 2; 3" << "7,1; 1,2; 2,3" << 10;
    QTest::newRow("variable: Retain keeps the value set") << 139 << "uint16=5,int32=7,int32,bool=1,var.5"
                                                          << "int32,var.5" << "1,9" << "9,1" << 10;
    QTest::newRow("holding register: the master's write")
        << 63 << "uint16=3,int32,int32=5,-,mb.3" << "int32,bool,int16,mb.3" << "1,~; 2,40; 3,~"
        << "5,0,0,5; 40,0,0,40; 3,0,0,3" << 10;
    QTest::newRow("input register: the program's value")
        << 64 << "uint16=3,int32,int32=5,-,mb.3" << "int32,mb.3" << "1,~; 2,40; 3,~" << "5,5; 2,2; 3,3" << 10;
    QTest::newRow("holding register with Enable") << 65 << "bool,uint16=3,int32,int32=5,-" << "bool,int32"
                                                  << "1,1; 0,2; 1,3" << "1,5; 0,5; 1,3" << 10;
    QTest::newRow("register address beyond 65535") << 62 << "uint32=70000,int32,int32=5,-" << "int32,bool,int16"
                                                   << "1" << "0,1,1" << 10;
}

VLM_TEST_MAIN(tst_BlockFunctions)
#include "tst_blockfunctions.moc"
