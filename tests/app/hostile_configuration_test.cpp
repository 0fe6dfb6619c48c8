// Hostile configuration files: whatever lies at QX.ini when the program starts, or
// takes its place while the window is open, the window comes up, lists what the
// UserSetting section gives, applies a line whole or not at all, and never blocks.
#include "support/window_harness.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

using namespace gradation;
using namespace gradation::test;

namespace {

// Setting lines with one-letter names, which read the same whether the file is taken
// as UTF-8 or as Windows-31J.
QString named(const char* name, const QString& line) { return QLatin1String(name) + line.mid(line.indexOf(',')); }
const QString kA = named("A", kStandardLine);
const QString kB = named("B", kItemLine);
const QString kC = named("C", kSizedLine);
const QString kD = QStringLiteral("D,OFF,OFF,OFF,OFF,OFF,OFF, 2, 1, 2,OFF, 0,H,OFF, 0, 0, 0, 0, 0, 0, 0");

QByteArray utf8(const QString& text) { return text.toUtf8(); }

// "[UserSetting]" and the given "key=value" lines, CR LF after each.
QByteArray section(const QList<QByteArray>& key_lines) {
    QByteArray bytes = "[UserSetting]\r\n";
    for (const QByteArray& line : key_lines) bytes += line + "\r\n";
    return bytes;
}

QByteArray garbage(qsizetype size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

// What takes the place of QX.ini.
enum class Place {
    File,           // a file holding the row's bytes
    Huge,           // a 50 MB file: the row's bytes, junk key lines, the row's tail (place_ini)
    Directory,
    Fifo,           // opened for reading it would block until some writer came
    Unreadable,     // a link to /proc/self/mem: a regular file whose reading fails (EIO)
    NoReadPermission,
    LinkLoop,
    Missing,
};

constexpr qsizetype k50MB = qsizetype{50} << 20;

}  // namespace

class HostileConfigurationTest : public QObject {
    Q_OBJECT

private slots:
    void init() { clear_ini(); }
    void cleanup() {
        clear_ini();
        huge_dir_.reset();  // the 50 MB file goes with its temporary folder
    }

    void startup_and_every_entry_data();
    void startup_and_every_entry();
    void file_changes_after_the_list_is_filled_data();
    void file_changes_after_the_list_is_filled();

private:
    static void clear_ini() {
        std::error_code ec;
        std::filesystem::remove_all(ini_path(), ec);
    }
    void place_ini(Place place, const QByteArray& bytes, const QByteArray& huge_tail = {});
    static bool reads_despite_mode_000(Place place) {
        return place == Place::NoReadPermission && ::access(ini_path().c_str(), R_OK) == 0;
    }

    std::unique_ptr<QTemporaryDir> huge_dir_;
};

// Replaces whatever lies at QX.ini. Huge: a 50 MB file in a temporary folder, reached
// through a link at QX.ini; `bytes` opens it, junk key lines of the same section fill
// it, and `huge_tail` ends it.
void HostileConfigurationTest::place_ini(Place place, const QByteArray& bytes, const QByteArray& huge_tail) {
    clear_ini();
    const std::filesystem::path path = ini_path();
    const auto write = [](const std::filesystem::path& to, const QByteArray& content) {
        std::ofstream file(to, std::ios::binary | std::ios::trunc);
        file.write(content.constData(), content.size());
        return bool(file);
    };
    switch (place) {
    case Place::File:
        QVERIFY(write(path, bytes));
        break;
    case Place::Huge: {
        huge_dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(huge_dir_->isValid());
        const std::filesystem::path big = huge_dir_->filePath(QStringLiteral("QX.ini")).toStdString();
        std::ofstream file(big, std::ios::binary | std::ios::trunc);
        file.write(bytes.constData(), bytes.size());
        QByteArray junk;
        for (int i = 0; i < 20000; ++i) junk += "junk=value value value value value value value\r\n";
        for (qsizetype written = bytes.size(); written < k50MB; written += junk.size())
            file.write(junk.constData(), junk.size());
        file.write(huge_tail.constData(), huge_tail.size());
        file.close();
        QVERIFY(file);
        QVERIFY(std::filesystem::file_size(big) >= std::uintmax_t(k50MB));
        std::filesystem::create_symlink(big, path);
        break;
    }
    case Place::Directory:
        QVERIFY(std::filesystem::create_directory(path));
        break;
    case Place::Fifo:
        QCOMPARE(::mkfifo(path.c_str(), 0644), 0);
        break;
    case Place::Unreadable:
        std::filesystem::create_symlink("/proc/self/mem", path);
        break;
    case Place::NoReadPermission:
        QVERIFY(write(path, bytes));
        QCOMPARE(::chmod(path.c_str(), 0), 0);
        break;
    case Place::LinkLoop:
        std::filesystem::create_symlink(path.filename(), path);
        break;
    case Place::Missing:
        break;
    }
}

// Start-up reads the list and applies entry 0; then every entry is chosen in turn
// (1, 2, ... and 0 again). `applies` gives what entry i makes current, "" when its
// line is refused and the current setting stays.
void HostileConfigurationTest::startup_and_every_entry_data() {
    QTest::addColumn<int>("place");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("huge_tail");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("applies");
    const auto file = int(Place::File);
    const QByteArray a = "00=" + utf8(kA);
    const QByteArray b = "01=" + utf8(kB);
    const QByteArray good = section({a, b});
    const QStringList ab{QStringLiteral("A"), QStringLiteral("B")};
    const QStringList none;

    QTest::newRow("binary garbage") << file << garbage(1 << 20, 1) << QByteArray() << none << none;
    QTest::newRow("binary garbage around the section")
        << file << garbage(1 << 20, 2) + "\r\n" + good + garbage(1 << 16, 3) << QByteArray() << ab << QStringList{kA, kB};
    QTest::newRow("NUL bytes only") << file << QByteArray(1 << 20, '\0') << QByteArray() << none << none;
    QTest::newRow("NUL lines in the section, NUL in name 01")
        << file << section({QByteArray(3, '\0'), a, QByteArray("01=B\0", 5) + utf8(kB.mid(1))}) << QByteArray()
        << QStringList{QStringLiteral("A")} << QStringList{kA};
    QTest::newRow("NUL inside line 00: listed, refused")
        << file << section({QByteArray("00=A,OFF,OFF\0", 13) + utf8(kA.mid(9)), b}) << QByteArray() << ab
        << QStringList{QString(), kB};
    QTest::newRow("NUL in the section name") << file << "[User" + QByteArray(1, '\0') + "Setting]\r\n" + a + "\r\n"
                                             << QByteArray() << none << none;
    QTest::newRow("1 MB line before the section")
        << file << QByteArray(1 << 20, 'x') + "\r\n" + good << QByteArray() << ab << QStringList{kA, kB};
    // A value that reaches the reader's 1,023-byte cut is listed but never applied.
    QTest::newRow("1 MB line 00 whose first 1023 bytes are a good line")
        << file << section({a + QByteArray(1 << 20, '0'), b}) << QByteArray() << ab << QStringList{QString(), kB};
    QTest::newRow("1 MB line 00 whose last number runs to the cut")
        << file << section({a + QByteArray(1 << 20, '9'), b}) << QByteArray() << ab << QStringList{QString(), kB};
    QTest::newRow("1 MB line without a comma") << file << section({"00=" + QByteArray(1 << 20, 'x'), b})
                                               << QByteArray() << none << none;
    QTest::newRow("no line breaks at all") << file << "[UserSetting] " + a + " " + b << QByteArray() << none << none;
    QTest::newRow("CR alone ends a line") << file << "[UserSetting]\r" + a + "\r" + b + "\r" << QByteArray() << ab
                                          << QStringList{kA, kB};
    QTest::newRow("UTF-16 is refused") << file << QByteArray("\xFF\xFE[\0U\0", 6) + section({a, b}) << QByteArray()
                                       << none << none;
    QTest::newRow("section header without its bracket")
        << file << "[UserSetting\r\n" + a + "\r\n" + b + "\r\n" << QByteArray() << none << none;
    QTest::newRow("unclosed header inside the section is a key line")
        << file << section({a, "[Other", b}) << QByteArray() << ab << QStringList{kA, kB};
    QTest::newRow("one- and three-digit keys only")
        << file << section({"0=" + utf8(kA), "000=" + utf8(kA), "1=" + utf8(kB), "001=" + utf8(kB), "100=" + utf8(kC)})
        << QByteArray() << none << none;
    QTest::newRow("one-digit key 1 ends the list after 00")
        << file << section({a, "1=" + utf8(kB), "001=" + utf8(kB), "02=" + utf8(kC)}) << QByteArray()
        << QStringList{QStringLiteral("A")} << QStringList{kA};
    QTest::newRow("50 MB, key 01 at its end") << int(Place::Huge) << section({a}) << b + "\r\n" << ab
                                              << QStringList{kA, kB};
    QTest::newRow("a directory") << int(Place::Directory) << QByteArray() << QByteArray() << none << none;
    QTest::newRow("a FIFO") << int(Place::Fifo) << QByteArray() << QByteArray() << none << none;
    QTest::newRow("a file whose reading fails") << int(Place::Unreadable) << QByteArray() << QByteArray() << none
                                                << none;
    QTest::newRow("a file without read permission")
        << int(Place::NoReadPermission) << good << QByteArray() << none << none;
    QTest::newRow("a link to itself") << int(Place::LinkLoop) << QByteArray() << QByteArray() << none << none;
}

void HostileConfigurationTest::startup_and_every_entry() {
    QFETCH(int, place);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, huge_tail);
    QFETCH(QStringList, names);
    QFETCH(QStringList, applies);
    place_ini(Place(place), bytes, huge_tail);
    if (QTest::currentTestFailed()) return;
    // Root reads a file whatever its mode bits say, and the tests run as root on the
    // build machines; there the link to /proc/self/mem stands for an unreadable file.
    if (reads_despite_mode_000(Place(place))) QSKIP("this user reads a file with mode 000 (root)");

    RunningProgram program;
    app::frmMain& w = program.window();
    QCOMPARE(listed(w), names);
    QString current = applies.value(0);
    if (current.isEmpty()) {
        QVERIFY(!w.cmdExec->isEnabled());
        const QString said = bytes.startsWith("\xFF\xFE") ? QStringLiteral("UTF-16 は読めません")
                             : names.isEmpty()            ? QStringLiteral("設定なし")
                                                          : QStringLiteral("読めない設定");
        QVERIFY2(w.lblX->text().startsWith(said), qPrintable(w.lblX->text()));
    }
    QCOMPARE(converted_ab(w), expected_ab(current));

    for (int step = 1; step <= names.size(); ++step) {
        const int entry = step % int(names.size());
        select_entry(w, entry);
        QCOMPARE(w.cmbUserSetting->currentIndex(), entry);
        if (!applies.value(entry).isEmpty()) current = applies.value(entry);
        QCOMPARE(w.cmdExec->isEnabled(), !current.isEmpty());
        QCOMPARE(converted_ab(w), expected_ab(current));
        if (!current.isEmpty()) QVERIFY(idle(w));
    }
}

// Entries A, B, C listed and B applied; then QX.ini changes: the list follows it (B kept
// by name; an empty list leaves no setting), and entries 2 and then 0 are chosen. A
// refused line leaves the current setting and the whole preview as they were.
void HostileConfigurationTest::file_changes_after_the_list_is_filled_data() {
    QTest::addColumn<int>("place");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("huge_tail");
    QTest::addColumn<QString>("entry2");  // the line entry 2 applies now, "" when refused
    QTest::addColumn<QString>("entry0");
    const auto file = int(Place::File);
    const QByteArray a = "00=" + utf8(kA);
    const QByteArray b = "01=" + utf8(kB);
    const QString refused;

    QTest::newRow("deleted") << int(Place::Missing) << QByteArray() << QByteArray() << refused << refused;
    QTest::newRow("emptied") << file << QByteArray() << QByteArray() << refused << refused;
    QTest::newRow("a directory") << int(Place::Directory) << QByteArray() << QByteArray() << refused << refused;
    QTest::newRow("a FIFO") << int(Place::Fifo) << QByteArray() << QByteArray() << refused << refused;
    QTest::newRow("a file whose reading fails") << int(Place::Unreadable) << QByteArray() << QByteArray() << refused
                                                << refused;
    QTest::newRow("read permission taken away")
        << int(Place::NoReadPermission) << section({a, b, "02=" + utf8(kD)}) << QByteArray() << refused << refused;
    QTest::newRow("a link to itself") << int(Place::LinkLoop) << QByteArray() << QByteArray() << refused << refused;
    QTest::newRow("binary garbage") << file << garbage(1 << 20, 4) << QByteArray() << refused << refused;
    QTest::newRow("NUL bytes only") << file << QByteArray(1 << 20, '\0') << QByteArray() << refused << refused;
    QTest::newRow("section header lost its bracket")
        << file << "[UserSetting\r\n" + a + "\r\n" + b + "\r\n02=" + utf8(kD) + "\r\n" << QByteArray() << refused
        << refused;
    QTest::newRow("keys rewritten with one and three digits")
        << file << section({"0=" + utf8(kA), "001=" + utf8(kB), "2=" + utf8(kD), "002=" + utf8(kD)}) << QByteArray()
        << refused << refused;
    QTest::newRow("line 02 now 20 fields")
        << file << section({a, b, "02=" + utf8(kD.left(kD.lastIndexOf(',')))}) << QByteArray() << refused << kA;
    QTest::newRow("line 02 now 1 MB long, its last number running to the cut")
        << file << section({a, b, "02=" + utf8(kD) + QByteArray(1 << 20, '9')}) << QByteArray() << refused << kA;
    QTest::newRow("50 MB, a new line 02 at its end")
        << int(Place::Huge) << section({a, b}) << "02=" + utf8(kD) + "\r\n" << kD << kA;
}

void HostileConfigurationTest::file_changes_after_the_list_is_filled() {
    QFETCH(int, place);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, huge_tail);
    QFETCH(QString, entry2);
    QFETCH(QString, entry0);
    write_ini({kA, kB, kC});
    RunningProgram program;
    app::frmMain& w = program.window();
    QCOMPARE(listed(w), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    select_entry(w, 1);
    Preview shown = preview_of(w);
    QCOMPARE(shown.converted, expected_ab(kB));

    place_ini(Place(place), bytes, huge_tail);
    if (QTest::currentTestFailed()) return;
    if (reads_despite_mode_000(Place(place))) QSKIP("this user reads a file with mode 000 (root)");
    const QStringList abd{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("D")};
    const QStringList names = entry0.isEmpty() ? QStringList() : abd;  // no entry 0 left: none
    QTRY_COMPARE_WITH_TIMEOUT(listed(w), names, 10000);
    QCOMPARE(w.lblX->text().startsWith(QStringLiteral("設定なし")), names.isEmpty());
    QCOMPARE(w.cmdExec->isEnabled(), !names.isEmpty());
    if (names.isEmpty()) return;
    QVERIFY(preview_of(w) == shown);  // B kept: the same name and line

    for (const auto& [entry, line] : {std::pair{2, entry2}, std::pair{0, entry0}}) {
        select_entry(w, entry);
        QCOMPARE(w.cmbUserSetting->currentIndex(), entry);
        const Preview now = preview_of(w);
        if (line.isEmpty()) {
            QCOMPARE(now.summary, shown.summary);
            QVERIFY2(now == shown, qPrintable(QStringLiteral("entry %1 changed the preview").arg(entry)));
        } else {
            QCOMPARE(now.converted, expected_ab(line));
            shown = now;
        }
        QCOMPARE(listed(w), names);
        QVERIFY(idle(w));
    }
}

QTEST_MAIN(HostileConfigurationTest)
#include "hostile_configuration_test.moc"
