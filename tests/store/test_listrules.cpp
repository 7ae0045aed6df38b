#include "StoreFixture.h"
#include "store/HeaderSorter.h"
#include "store/ListDefinitions.h"
#include "store/ReadRules.h"

#include <QtTest>

using namespace krx;
using krx::test::header;

namespace {

// A line with each text starting at its 1-based column.
QByteArray atColumns(std::initializer_list<std::pair<int, QByteArray>> parts) {
    QByteArray line;
    for (const auto &[column, text] : parts) {
        if (line.size() < column - 1)
            line += QByteArray(column - 1 - line.size(), ' ');
        line += text;
    }
    return line;
}

// A read.ini rule: action, field, list file name, value.
QByteArray rule(char action, char field, const QByteArray &list, const QByteArray &value) {
    return atColumns(
        {{1, QByteArray(1, action)}, {3, QByteArray(1, field)}, {5, list}, {18, value}});
}

} // namespace

class ListRulesTest : public QObject {
    Q_OBJECT

private slots:
    void epurtNamesCommentsAndTabs() {
        const QByteArray epurt = "; comment\r\n"
                                 ": another comment\r\n"
                                 "   \r\n"
                                 "omat.lst  anything\r\n"
                                 "ALL\r\n"
                                 "dx\twith a tab\r\n"
                                 "Keep.Old.LST\r\n";
        const ListDefinitions parsed = parseListDefinitions(epurt);
        QVERIFY(parsed.tabLinesDropped);
        QCOMPARE(int(parsed.lists.size()), 3);
        QCOMPARE(parsed.lists[0].name, QByteArray("OMAT"));
        QCOMPARE(parsed.lists[0].fileName(), QByteArray("OMAT.lst"));
        QCOMPARE(parsed.lists[1].name, QByteArray("ALL"));
        QCOMPARE(parsed.lists[2].name, QByteArray("KEEP.OLD"));
        QVERIFY(!parseListDefinitions("ALL\r\n").tabLinesDropped);
    }

    void retentionColumnsAndDefaults() {
        const QByteArray line = atColumns({{1, "ALL"},
                                           {16, "1"},
                                           {21, "2"},
                                           {25, "3"},
                                           {30, "4"},
                                           {35, "5"},
                                           {40, "6"},
                                           {44, "7"},
                                           {49, "8"},
                                           {54, "9"},
                                           {59, "10"},
                                           {64, "11"},
                                           {69, "12"}});
        const Retention r = parseListDefinitions(line).lists.at(0).retention;
        QCOMPARE(r.privateDays, (std::array<int, 6>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(r.otherDays, (std::array<int, 6>{7, 8, 9, 10, 11, 12}));

        const Retention blank = parseListDefinitions("ALL").lists.at(0).retention;
        QCOMPARE(blank.privateDays, (std::array<int, 6>{0, 0, 0, 0, 0, 0}));
        QCOMPARE(blank.otherDays, (std::array<int, 6>{1000, 0, 0, 0, 0, 0}));

        const Retention junk =
            parseListDefinitions(atColumns({{1, "ALL"}, {44, "abc"}, {49, " 30 "}}))
                .lists.at(0)
                .retention;
        QCOMPARE(junk.otherDays[0], 1000);
        QCOMPARE(junk.otherDays[1], 30);
    }

    void retentionByKindAndStatus_data() {
        QTest::addColumn<char>("kind");
        QTest::addColumn<char>("status");
        QTest::addColumn<int>("days"); // -1: never purged
        QTest::newRow("private new") << 'P' << ' ' << 1;
        QTest::newRow("private failed") << 'P' << '-' << 2;
        QTest::newRow("private kill") << 'P' << 'K' << 3;
        QTest::newRow("private read") << 'P' << 'Y' << 4;
        QTest::newRow("private fetched") << 'P' << 'R' << 5;
        QTest::newRow("private to fetch") << 'P' << 'r' << 5;
        QTest::newRow("private 7plus") << 'P' << '+' << 6;
        QTest::newRow("bulletin new") << 'B' << ' ' << 7;
        QTest::newRow("other kind fetched") << 'A' << 'R' << 11;
        QTest::newRow("bulletin 7plus") << 'B' << '+' << 12;
        QTest::newRow("not sent is kept") << 'P' << 'N' << -1;
        QTest::newRow("unfinished is kept") << 'B' << 'H' << -1;
    }
    void retentionByKindAndStatus() {
        QFETCH(char, kind);
        QFETCH(char, status);
        QFETCH(int, days);
        Retention r;
        r.privateDays = {1, 2, 3, 4, 5, 6};
        r.otherDays = {7, 8, 9, 10, 11, 12};
        QCOMPARE(r.daysFor(kind, status).value_or(-1), days);
    }

    void readIniColumnsAndUpperCase() {
        const QByteArray text = "; comment\r\n"
                                ": comment\r\n"
                                "\r\n" +
                                rule('m', '<', "dx.lst", "qq3abc") + "\r\n" +
                                rule('D', 'S', "", "  for sale  ") + "\r\n" +
                                "M\t<  TAB.LST      QQ9XYZ\r\n";
        const ReadRules rules = parseReadRules(text);
        QVERIFY(rules.tabLinesFound);
        QCOMPARE(int(rules.rules.size()), 3);
        QCOMPARE(rules.rules[0].action, 'M');
        QCOMPARE(rules.rules[0].field, '<');
        QCOMPARE(rules.rules[0].listFileName, QByteArray("DX.LST"));
        QCOMPARE(rules.rules[0].value, QByteArray("QQ3ABC"));
        QVERIFY(!rules.rules[0].hasTab);
        QCOMPARE(rules.rules[1].value, QByteArray("FOR SALE"));
        QVERIFY(rules.rules[2].hasTab);
    }

    void ruleMatches_data() {
        QTest::addColumn<QByteArray>("ruleLine");
        QTest::addColumn<bool>("matches");
        QTest::newRow("sender ignoring case") << rule('M', '<', "DX.LST", "qq3abc") << true;
        QTest::newRow("other sender") << rule('M', '<', "DX.LST", "QQ3ABD") << false;
        QTest::newRow("empty sender never") << rule('M', '<', "DX.LST", "") << false;
        QTest::newRow("addressee") << rule('M', '>', "DX.LST", "ALL") << true;
        QTest::newRow("addressee is whole") << rule('M', '>', "DX.LST", "AL") << false;
        QTest::newRow("route") << rule('M', '@', "DX.LST", "WW") << true;
        QTest::newRow("private") << rule('M', 'P', "DX.LST", "") << false;
        QTest::newRow("subject upper-cased") << rule('M', 'S', "DX.LST", "TEST") << true;
        QTest::newRow("subject empty never") << rule('M', 'S', "DX.LST", "") << false;
        QTest::newRow("unknown field") << rule('M', 'X', "DX.LST", "ALL") << false;
    }
    void ruleMatches() {
        QFETCH(QByteArray, ruleLine);
        QFETCH(bool, matches);
        const ReadRule r = parseReadRules(ruleLine).rules.at(0);
        QCOMPARE(r.matches(header(1, ' ', 'B', "ALL", "QQ3ABC", "A test message")), matches);
    }

    void routeRuleNeverMatchesWithoutRoute() {
        HeaderRecord record = header(1);
        record.via = QByteArray();
        QVERIFY(!parseReadRules(rule('M', '@', "DX.LST", "WW")).rules.at(0).matches(record));
    }

    void privateRuleLooksAtTheKind() {
        const ReadRule r = parseReadRules(rule('+', 'P', "", "")).rules.at(0);
        QVERIFY(r.matches(header(1, ' ', 'P')));
        QVERIFY(!r.matches(header(1, ' ', 'B')));
    }

    void sortHeader_data() {
        QTest::addColumn<QByteArray>("rules");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<char>("status");
        QTest::addColumn<QByteArrayList>("copies");
        const QByteArray toAll = rule('M', '>', "DX.LST", "ALL");
        QTest::newRow("no rule: default list, new")
            << QByteArray() << QByteArray("ALL") << false << QByteArray("ALL.lst") << ' '
            << QByteArrayList{};
        QTest::newRow("own call: personal, to fetch, no rule applies")
            << rule('D', '>', "", "QQ1ZZZ") + "\r\n" + rule('C', '>', "DX.LST", "QQ1ZZZ")
            << QByteArray("qq1zzz") << false << QByteArray("OMAT.lst") << 'r' << QByteArrayList{};
        QTest::newRow("M moves") << toAll << QByteArray("ALL") << false << QByteArray("DX.LST")
                                 << ' ' << QByteArrayList{};
        QTest::newRow("later M wins")
            << toAll + "\r\n" + rule('M', '<', "OTHER.LST", "QQ3ABC") << QByteArray("ALL") << false
            << QByteArray("OTHER.LST") << ' ' << QByteArrayList{};
        QTest::newRow("M then D drops, the C before it has copied")
            << rule('C', '>', "KEEP.LST", "ALL") + "\r\n" + toAll + "\r\n" +
                   rule('D', 'S', "", "TEST")
            << QByteArray("ALL") << true << QByteArray("DX.LST") << ' '
            << QByteArrayList{"KEEP.LST"};
        QTest::newRow("D then M keeps")
            << rule('D', 'S', "", "TEST") + "\r\n" + toAll << QByteArray("ALL") << false
            << QByteArray("DX.LST") << ' ' << QByteArrayList{};
        QTest::newRow("+ marks") << rule('+', '<', "", "QQ3ABC") << QByteArray("ALL") << false
                                 << QByteArray("ALL.lst") << 'r' << QByteArrayList{};
        QTest::newRow("+ then - leaves new")
            << rule('+', '<', "", "QQ3ABC") + "\r\n" + rule('-', 'S', "", "TEST")
            << QByteArray("ALL") << false << QByteArray("ALL.lst") << ' ' << QByteArrayList{};
        QTest::newRow("TAB rules are never applied")
            << QByteArray("D\t>  X           ALL") << QByteArray("ALL") << false
            << QByteArray("ALL.lst") << ' ' << QByteArrayList{};
        QTest::newRow("not matching leaves default")
            << rule('M', '>', "DX.LST", "SALE") << QByteArray("ALL") << false
            << QByteArray("ALL.lst") << ' ' << QByteArrayList{};
    }
    void sortHeader() {
        QFETCH(QByteArray, rules);
        QFETCH(QByteArray, to);
        QFETCH(bool, dropped);
        QFETCH(QByteArray, target);
        QFETCH(char, status);
        QFETCH(QByteArrayList, copies);
        const ReadRules parsed = parseReadRules(rules);
        const HeaderSorter sorter(parsed, "QQ1ZZZ", "OMAT.lst", "ALL.lst");
        HeaderRecord record = header(500, 'x', 'B', to, "QQ3ABC", "A test message");
        const SortOutcome outcome = sorter.SortHeader(record);
        QCOMPARE(outcome.dropped, dropped);
        QCOMPARE(outcome.target, target);
        QCOMPARE(record.status, status);
        QCOMPARE(outcome.personal, target == "OMAT.lst");
        QByteArrayList copied;
        for (const RuleCopy &copy : outcome.copies)
            copied << copy.listFileName;
        QCOMPARE(copied, copies);
    }

    void copyTakesTheRecordAsItIsWhenTheRuleMatches() {
        const ReadRules parsed = parseReadRules(rule('+', '<', "", "QQ3ABC") + "\r\n" +
                                                rule('C', '<', "KEEP.LST", "QQ3ABC") + "\r\n" +
                                                rule('-', '<', "", "QQ3ABC"));
        const HeaderSorter sorter(parsed, "QQ1ZZZ", "OMAT.lst", "ALL.lst");
        HeaderRecord record = header(500);
        const SortOutcome outcome = sorter.SortHeader(record);
        QCOMPARE(record.status, ' ');
        QCOMPARE(int(outcome.copies.size()), 1);
        QCOMPARE(outcome.copies[0].record.status, 'r');
    }
};

QTEST_GUILESS_MAIN(ListRulesTest)
#include "test_listrules.moc"
