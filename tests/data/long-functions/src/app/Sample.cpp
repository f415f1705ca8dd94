#include "app/Sample.h"

namespace {

// Data and enums are not functions, however long.
const char* const Rows[] = {
    "row { 0",
    "row { 1",
    "row { 2",
    "row { 3",
    "row { 4",
    "row { 5",
    "row { 6",
    "row { 7",
    "row { 8",
    "row { 9",
    "row { 10",
    "row { 11",
    "row { 12",
    "row { 13",
    "row { 14",
    "row { 15",
    "row { 16",
    "row { 17",
    "row { 18",
    "row { 19",
    "row { 20",
    "row { 21",
    "row { 22",
    "row { 23",
    "row { 24",
    "row { 25",
    "row { 26",
    "row { 27",
    "row { 28",
    "row { 29",
    "row { 30",
    "row { 31",
    "row { 32",
    "row { 33",
    "row { 34",
    "row { 35",
    "row { 36",
    "row { 37",
    "row { 38",
    "row { 39",
    "row { 40",
    "row { 41",
    "row { 42",
    "row { 43",
    "row { 44",
    "row { 45",
    "row { 46",
    "row { 47",
    "row { 48",
    "row { 49",
    "row { 50",
    "row { 51",
    "row { 52",
    "row { 53",
    "row { 54",
    "row { 55",
    "row { 56",
    "row { 57",
    "row { 58",
    "row { 59",
    "row { 60",
    "row { 61",
    "row { 62",
    "row { 63",
    "row { 64",
    "row { 65",
    "row { 66",
    "row { 67",
    "row { 68",
    "row { 69",
};

enum class Kind {
    K0,
    K1,
    K2,
    K3,
    K4,
    K5,
    K6,
    K7,
    K8,
    K9,
    K10,
    K11,
    K12,
    K13,
    K14,
    K15,
    K16,
    K17,
    K18,
    K19,
    K20,
    K21,
    K22,
    K23,
    K24,
    K25,
    K26,
    K27,
    K28,
    K29,
    K30,
    K31,
    K32,
    K33,
    K34,
    K35,
    K36,
    K37,
    K38,
    K39,
    K40,
    K41,
    K42,
    K43,
    K44,
    K45,
    K46,
    K47,
    K48,
    K49,
    K50,
    K51,
    K52,
    K53,
    K54,
    K55,
    K56,
    K57,
    K58,
    K59,
    K60,
    K61,
    K62,
    K63,
    K64,
    K65,
    K66,
    K67,
    K68,
    K69,
};

} // namespace

class Local : public QWidget {
    Q_OBJECT
public:
    explicit Local(QWidget* parent)
        : QWidget(parent)
        , count_{0}
    {
    step(3);
    step(4);
    step(5);
    step(6);
    step(7);
    step(8);
    step(9);
    step(10);
    step(11);
    step(12);
    step(13);
    step(14);
    step(15);
    step(16);
    step(17);
    step(18);
    step(19);
    step(20);
    step(21);
    step(22);
    step(23);
    step(24);
    step(25);
    step(26);
    step(27);
    step(28);
    step(29);
    step(30);
    step(31);
    step(32);
    step(33);
    step(34);
    step(35);
    step(36);
    step(37);
    step(38);
    step(39);
    step(40);
    step(41);
    step(42);
    step(43);
    step(44);
    step(45);
    step(46);
    step(47);
    step(48);
    step(49);
    step(50);
    step(51);
    step(52);
    step(53);
    step(54);
    step(55);
    step(56);
    step(57);
    }

private:
    int count_;
};

// "}" and '{' in literals and comments do not count: } {
Sample::Sample(QWidget* parent)
    : QWidget(parent)
    , rows_{1, 2}
{
    auto later = [this] {
    step(0);
    step(1);
    step(2);
    step(3);
    step(4);
    step(5);
    step(6);
    step(7);
    step(8);
    step(9);
    step(10);
    step(11);
    step(12);
    step(13);
    step(14);
    step(15);
    step(16);
    step(17);
    step(18);
    step(19);
    step(20);
    step(21);
    step(22);
    step(23);
    step(24);
    step(25);
    step(26);
    step(27);
    step(28);
    step(29);
    };
    text_ = QStringLiteral("} }");
    step(0);
    step(1);
    step(2);
    step(3);
    step(4);
    step(5);
    step(6);
    step(7);
    step(8);
    step(9);
    step(10);
    step(11);
    step(12);
    step(13);
    step(14);
    step(15);
    step(16);
    step(17);
    step(18);
    step(19);
    step(20);
    step(21);
    step(22);
    step(23);
    step(24);
}

void Sample::atLimit()
{
    step(1);
    step(2);
    step(3);
    step(4);
    step(5);
    step(6);
    step(7);
    step(8);
    step(9);
    step(10);
    step(11);
    step(12);
    step(13);
    step(14);
    step(15);
    step(16);
    step(17);
    step(18);
    step(19);
    step(20);
    step(21);
    step(22);
    step(23);
    step(24);
    step(25);
    step(26);
    step(27);
    step(28);
    step(29);
    step(30);
    step(31);
    step(32);
    step(33);
    step(34);
    step(35);
    step(36);
    step(37);
    step(38);
    step(39);
    step(40);
    step(41);
    step(42);
    step(43);
    step(44);
    step(45);
    step(46);
    step(47);
    step(48);
    step(49);
    step(50);
    step(51);
    step(52);
    step(53);
    step(54);
    step(55);
    step(56);
    step(57);
}

bool Sample::operator==(const Sample& other) const
{
    step(2);
    step(3);
    step(4);
    step(5);
    step(6);
    step(7);
    step(8);
    step(9);
    step(10);
    step(11);
    step(12);
    step(13);
    step(14);
    step(15);
    step(16);
    step(17);
    step(18);
    step(19);
    step(20);
    step(21);
    step(22);
    step(23);
    step(24);
    step(25);
    step(26);
    step(27);
    step(28);
    step(29);
    step(30);
    step(31);
    step(32);
    step(33);
    step(34);
    step(35);
    step(36);
    step(37);
    step(38);
    step(39);
    step(40);
    step(41);
    step(42);
    step(43);
    step(44);
    step(45);
    step(46);
    step(47);
    step(48);
    step(49);
    step(50);
    step(51);
    step(52);
    step(53);
    step(54);
    step(55);
    step(56);
    step(57);
    step(58);
    step(59);
}

#define LONG_MACRO(x) \
    { \
    }
void allowedOne()
{
    step(0);
    step(1);
    step(2);
    step(3);
    step(4);
    step(5);
    step(6);
    step(7);
    step(8);
    step(9);
    step(10);
    step(11);
    step(12);
    step(13);
    step(14);
    step(15);
    step(16);
    step(17);
    step(18);
    step(19);
    step(20);
    step(21);
    step(22);
    step(23);
    step(24);
    step(25);
    step(26);
    step(27);
    step(28);
    step(29);
    step(30);
    step(31);
    step(32);
    step(33);
    step(34);
    step(35);
    step(36);
    step(37);
    step(38);
    step(39);
    step(40);
    step(41);
    step(42);
    step(43);
    step(44);
    step(45);
    step(46);
    step(47);
    step(48);
    step(49);
    step(50);
    step(51);
    step(52);
    step(53);
    step(54);
    step(55);
    step(56);
    step(57);
    step(58);
    step(59);
    step(60);
}
