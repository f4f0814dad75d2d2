// The main window's design values as Unit1.ui gives them: every control the handlers
// reach by name, in its container, with its caption, position and initial state.
#include "ui_Unit1.h"

#include <QtTest>

namespace {

const QString kWindowFont = QStringLiteral("MS Sans Serif");
const QColor kLight3D(0xE3, 0xE3, 0xE3);
// Position of a control whose place is only "beside its field"; see captionsBesideFields.
constexpr QPoint kFree(-1000, -1000);
const QString kIp0 = QStringLiteral("0.0.0.0");
const QString kMac0 = QStringLiteral("00:00:00:00:00:00");

enum Checked { NotCheckable = -1, Unticked = 0, Ticked = 1 };
enum Paint { OwnPaletteNone, Light3D };

// One row of the control table; the helpers below fill in what a kind does not have.
void control(const char *name, const char *kind, const char *parent, QPoint pos, QSize size,
             const QString &text, bool enabled, bool shown, int checked, Paint paint, bool smallBold)
{
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind)
                        << QString::fromLatin1(parent) << pos << size << text << enabled << shown
                        << checked << int(paint) << smallBold;
}

void label(const char *name, const char *parent, QPoint pos, const QString &text, bool smallBold = false)
{
    control(name, "QLabel", parent, pos, QSize(), text, true, true, NotCheckable, OwnPaletteNone, smallBold);
}

void smallBold(const char *name, const char *parent, const QString &text, QPoint pos = kFree)
{
    label(name, parent, pos, text, true);
}

void edit(const char *name, const char *parent, QRect r, const QString &text, bool enabled = true,
          Paint paint = OwnPaletteNone)
{
    control(name, "QLineEdit", parent, r.topLeft(), r.size(), text, enabled, true, NotCheckable, paint, false);
}

// The fields of "Настройка сети" all start painted in the light 3-D shade.
void lightEdit(const char *name, const char *parent, QRect r, const QString &text, bool enabled)
{
    edit(name, parent, r, text, enabled, Light3D);
}

void button(const char *name, const char *parent, QRect r, const QString &text, bool shown = true)
{
    control(name, "QPushButton", parent, r.topLeft(), r.size(), text, true, shown, NotCheckable,
            OwnPaletteNone, false);
}

void tick(const char *kind, const char *name, const char *parent, QRect r, const QString &text,
          Checked checked, bool enabled = true, bool shown = true)
{
    control(name, kind, parent, r.topLeft(), r.size(), text, enabled, shown, checked, OwnPaletteNone, false);
}

void box(const char *name, const char *kind, const char *parent, QRect r, const QString &text = QString())
{
    control(name, kind, parent, r.topLeft(), r.size(), text, true, true, NotCheckable, OwnPaletteNone, false);
}

QString captionOf(QWidget *w)
{
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    if (auto *m = qobject_cast<QPlainTextEdit *>(w))
        return m->toPlainText();
    if (auto *list = qobject_cast<QListWidget *>(w)) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items.join('\n');
    }
    return QString();
}

bool isCyrillic(QChar c) { return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF; }

} // namespace

class DesignTest : public QObject
{
    Q_OBJECT
    Ui::TForm1 ui;
    QMainWindow w;

    QWidget *named(const QString &name) { return w.findChild<QWidget *>(name); }

private slots:
    void initTestCase() { ui.setupUi(&w); }

    void controls_data();
    void controls();
    void captionsBesideFields_data();
    void captionsBesideFields();
    void frames_data();
    void frames();

    void window()
    {
        QCOMPARE(w.objectName(), QStringLiteral("Form1"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(w.size(), QSize(508, 774));
        QCOMPARE(w.font().family(), kWindowFont);
        QCOMPARE(w.font().pointSize(), 8);
        QVERIFY(!w.font().bold());
        QVERIFY(!w.menuWidget());
        QCOMPARE(w.centralWidget()->objectName(), QStringLiteral("centralwidget"));
        // Controls keep their design positions: nothing rearranges them.
        for (const char *container : {"centralwidget", "TabSheet1", "TabSheet2", "TabSheet3", "GroupBox1"}) {
            QVERIFY2(named(container), container);
            QVERIFY2(!named(container)->layout(), container);
        }
        for (QFrame *panel : w.findChildren<QFrame *>(QRegularExpression("^Panel\\d$")))
            QVERIFY2(!panel->layout(), qPrintable(panel->objectName()));
    }

    void tabs()
    {
        QTabWidget *tabs = ui.PageControl1;
        QCOMPARE(tabs->count(), 3);
        const QStringList names{"TabSheet1", "TabSheet2", "TabSheet3"};
        const QStringList titles{"Work Socket", "Настройка сети", "Stream Work Socket +"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(tabs->widget(i)->objectName(), names[i]);
            QCOMPARE(tabs->tabText(i), titles[i]);
        }
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("TabSheet2"));
    }

    void memos()
    {
        for (QPlainTextEdit *memo : {ui.Memo1, ui.Memo2}) {
            QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            QVERIFY(!memo->isReadOnly());
            QCOMPARE(memo->blockCount(), 1);
        }
    }

    void statusLine()
    {
        QCOMPARE(w.statusBar(), ui.StatusBar1);
        QCOMPARE(ui.StatusBar1->objectName(), QStringLiteral("StatusBar1"));
        QCOMPARE(ui.StatusBar1->minimumHeight(), 19);
        QCOMPARE(ui.StatusBar1->maximumHeight(), 19);

        QCOMPARE(ui.StatusPanel0->parentWidget(), ui.StatusBar1);
        QCOMPARE(ui.StatusPanel1->parentWidget(), ui.StatusBar1);
        QCOMPARE(ui.StatusPanel0->minimumWidth(), 160);
        QCOMPARE(ui.StatusPanel0->maximumWidth(), 160);

        // Typed with Latin T, C, P; the connection states written there later use
        // Cyrillic look-alikes, so a mix-up here would not show on screen.
        const struct { QLabel *panel; QString words; } panels[] = {
            {ui.StatusPanel0, QStringLiteral("Отключен")},
            {ui.StatusPanel1, QStringLiteral("Нет клиента")},
        };
        for (const auto &p : panels) {
            const QString text = p.panel->text();
            QCOMPARE(text, p.words + QStringLiteral(" TCP"));
            const QString tcp = text.right(3);
            QCOMPARE(tcp, QLatin1String("TCP"));
            for (QChar c : tcp)
                QVERIFY2(c.unicode() < 128, qPrintable(text));
            for (QChar c : p.words)
                QVERIFY2(isCyrillic(c) || c == ' ', qPrintable(text));
        }
    }

    void labelsArePlainText()
    {
        const auto labels = w.findChildren<QLabel *>();
        QVERIFY(labels.size() > 40);
        for (QLabel *l : labels)
            QVERIFY2(l->textFormat() == Qt::PlainText, qPrintable(l->objectName()));
    }

    void button1ReadsRightToLeft() { QCOMPARE(ui.Button1->layoutDirection(), Qt::RightToLeft); }

    void programmingSwitchIsNotCoveredByItsPanel()
    {
        // The check box's bottom row lies on the panel's top edge; a click there must reach the box.
        const QRect box = ui.CheckBox3->geometry();
        QVERIFY(box.intersects(ui.Panel6->geometry()));
        QCOMPARE(ui.TabSheet2->childAt(box.left() + 5, box.bottom()), ui.CheckBox3);
    }

    void visibleSiblingsDoNotOverlap()
    {
        const QStringList containers{"centralwidget", "TabSheet1", "TabSheet2", "TabSheet3", "Panel1",
                                     "Panel2",        "Panel3",    "Panel4",    "Panel5",    "Panel6",
                                     "Panel7",        "Panel8",    "Panel9",    "GroupBox1"};
        for (const QString &name : containers) {
            QVERIFY2(named(name), qPrintable(name));
            QList<QWidget *> kids;
            for (QWidget *kid : named(name)->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (!kid->isHidden() && !kid->objectName().startsWith("qt_"))
                    kids << kid;
            for (int i = 0; i < kids.size(); ++i)
                for (int j = i + 1; j < kids.size(); ++j) {
                    const QString a = kids[i]->objectName(), b = kids[j]->objectName();
                    if (QSet<QString>{a, b} == QSet<QString>{"CheckBox3", "Panel6"})
                        continue; // one pixel row, covered by the test above
                    QVERIFY2(!kids[i]->geometry().intersects(kids[j]->geometry()),
                             qPrintable(name + ": " + a + " / " + b));
                }
        }
    }
};

void DesignTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QSize>("size"); // invalid: sized to its caption
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("checked");
    QTest::addColumn<int>("paint");
    QTest::addColumn<bool>("smallBold");

    const char *c = "centralwidget";
    // Header: captions at left 12, the values FormCreate replaces at left 94.
    label("Label1", c, {12, 8}, "Host name:");
    label("HostNameLabel", c, {94, 8}, "Host name:");
    label("Label2", c, {12, 24}, "Stack Local Host:");
    label("HostAddressLabel", c, {94, 24}, "Host address:");
    label("Label3", c, {12, 41}, "Port:");
    label("PortLabel", c, {94, 41}, "Port:");
    label("Label4", c, {12, 57}, "Local Host:");
    label("DestinationLabel", c, {94, 57}, "Destination address:");
    label("Label5", c, {12, 72}, "Buffer size");
    label("BufferSizeLabel", c, {94, 72}, "Buffer size");
    box("ListBox1", "QListWidget", c, {368, 8, 121, 73});
    box("PageControl1", "QTabWidget", c, {7, 89, 494, 624});
    button("BitBtn1", c, {426, 727, 70, 23}, "Выход");
    button("Button10", c, {224, 64, 75, 25}, "Button10", false);
    tick("QCheckBox", "CheckBox8", c, {304, 72, 97, 17}, "CheckBox8", Unticked, true, false);
    button("Button9", c, {16, 728, 75, 25}, "Button9", false);

    // "Work Socket"
    const char *t1 = "TabSheet1";
    box("Memo1", "QPlainTextEdit", t1, {7, 15, 462, 149}, "Данные от сервера:");
    box("Panel1", "QFrame", t1, {15, 178, 454, 76});
    tick("QRadioButton", "RadioButton_UDP", "Panel1", {7, 7, 165, 16}, "UDP (Client - Server)", Ticked);
    tick("QRadioButton", "RadioButtonTCP", "Panel1", {7, 30, 165, 16}, "TCP (Socket: Client - Server)", Unticked);
    // Wider than first drawn, so the caption shows in full with the fonts of this platform.
    tick("QRadioButton", "RadioButton_IndyTCP", "Panel1", {7, 52, 204, 16}, "TCP (Indi Socket: Client - Server)",
         Unticked, false);
    tick("QCheckBox", "CheckBox1", "Panel1", {247, 7, 106, 16}, "Вкл. приём UDP", Unticked, false);
    tick("QCheckBox", "CheckBox6", "Panel1", {247, 31, 186, 16}, "Вкл. создание RunTimerSocket", Unticked);
    box("Panel2", "QFrame", t1, {15, 260, 454, 68});
    label("Label7", "Panel2", kFree, "Final address:");
    edit("Edit2", "Panel2", {7, 25, 113, 21}, "192.168.119.141");
    button("Button2", "Panel2", {253, 7, 171, 24}, "Подключиться только для TCP");
    button("Button3", "Panel2", {253, 37, 171, 23}, "Отключиться только для TCP");
    smallBold("Label6", t1, "Port:");
    edit("Edit3", t1, {52, 337, 46, 21}, "6022");
    box("Panel3", "QFrame", t1, {15, 364, 454, 38});
    edit("Edit1", "Panel3", {7, 10, 321, 21}, "TEST");
    button("Button1", "Panel3", {342, 7, 105, 24}, "Передать Серверу");

    // "Настройка сети"
    const char *t2 = "TabSheet2";
    tick("QCheckBox", "CheckBox3", t2, {22, 0, 244, 16}, " Включить режим программирования", Unticked);
    box("Panel6", "QFrame", t2, {7, 15, 474, 578});
    box("Panel5", "QFrame", "Panel6", {7, 7, 458, 68});
    tick("QCheckBox", "CheckBox2", "Panel5", {12, 15, 109, 16}, "Изменить порт", Unticked);
    smallBold("Label8", "Panel5", "Port:");
    lightEdit("Edit5", "Panel5", {45, 35, 45, 21}, "4000", false);
    box("Panel9", "QFrame", "Panel5", {126, 7, 150, 53});
    tick("QCheckBox", "CheckBox5", "Panel9", {7, 7, 142, 16}, "Изменить IP UDP Client", Unticked);
    lightEdit("Edit15", "Panel9", {7, 28, 98, 21}, "192.168.1.2", false);
    box("Panel8", "QFrame", "Panel5", {290, 7, 159, 53});
    tick("QCheckBox", "CheckBox4", "Panel8", {7, 7, 146, 16}, "Изменить IP UDP Server", Unticked);
    lightEdit("Edit13", "Panel8", {7, 28, 98, 21}, "192.168.1.1", false);

    const char *p4 = "Panel4"; // read-back fields
    box(p4, "QFrame", "Panel6", {7, 82, 458, 207});
    smallBold("Label10", p4, "Port Telemetry:");
    lightEdit("Edit4", p4, {97, 7, 38, 21}, "0", false);
    smallBold("Label15", p4, "Port H323:");
    lightEdit("Edit11", p4, {230, 7, 38, 21}, "0", false);
    smallBold("Label17", p4, "Port command\n      (UDP):");
    lightEdit("Edit17", p4, {382, 7, 38, 21}, "0", false);
    smallBold("Label11", p4, "IP Адрес:");
    lightEdit("Edit8", p4, {75, 37, 127, 21}, kIp0, false);
    smallBold("Label32", p4, "IP Шлюз:");
    lightEdit("Edit18", p4, {75, 67, 127, 21}, kIp0, false);
    smallBold("Label36", p4, "Маска сети:");
    lightEdit("Edit26", p4, {75, 98, 127, 21}, kIp0, false);
    smallBold("Label9", p4, "MAC Адрес:");
    lightEdit("Edit7", p4, {74, 130, 127, 21}, kMac0, false);
    box("Bevel3", "QFrame", p4, {8, 162, 225, 3});
    smallBold("Label33", p4, "IP контрол-\nлера трубки:");
    lightEdit("Edit19", p4, {74, 175, 126, 21}, kIp0, false);
    box("GroupBox1", "QGroupBox", p4, {248, 40, 201, 113}, "Дата / Время");
    const char *g = "GroupBox1";
    smallBold("YearCaption", g, "Год:", {12, 28});
    smallBold("YearPlaceholder", g, "ГГ", {44, 28});
    smallBold("MonthCaption", g, "Месяц:", {92, 28});
    smallBold("MonthPlaceholder", g, "ММ", {136, 28});
    smallBold("DayCaption", g, "День:", {12, 55});
    smallBold("DayPlaceholder", g, "ДД", {44, 55});
    smallBold("WeekdayCaption", g, "День недели:", {92, 55});
    smallBold("WeekdayPlaceholder", g, "ДН", {156, 55});
    smallBold("HoursCaption", g, "Часы:", {12, 84});
    smallBold("HoursPlaceholder", g, "ЧЧ", {44, 84});
    smallBold("MinutesCaption", g, "Минуты:", {92, 84});
    smallBold("MinutesPlaceholder", g, "ММ", {144, 84});
    // Beyond the box's right edge (201), so clipped away.
    smallBold("SecondsCaption", g, "Секунды:", {204, 52});
    smallBold("SecondsPlaceholder", g, "СС", {252, 52});
    button("Button7", p4, {231, 176, 70, 23}, "Test  <GO>", false);
    button("Button4", p4, {327, 176, 120, 23}, "Получить данные");
    button("Button6", "Panel6", {15, 296, 149, 23}, "Синхронизировать данные");

    const char *p7 = "Panel7"; // write fields: decimal entry, plain hex mirror, padded hex mirror
    box(p7, "QFrame", "Panel6", {-1, 328, 458, 241});
    smallBold("Label12", p7, "Port Telemetry:");
    lightEdit("Edit6", p7, {97, 10, 38, 21}, "0", true);
    smallBold("Label16", p7, "Port H323:");
    lightEdit("Edit12", p7, {238, 10, 38, 21}, "0", false);
    smallBold("Label13", p7, "IP Адрес:");
    lightEdit("Edit9", p7, {75, 40, 118, 21}, kIp0, true);
    lightEdit("Edit16", p7, {202, 40, 118, 21}, kIp0, false);
    lightEdit("Edit14", p7, {330, 40, 119, 21}, kIp0, false);
    smallBold("Label34", p7, "IP Шлюз:");
    lightEdit("Edit20", p7, {75, 69, 118, 21}, kIp0, true);
    lightEdit("Edit21", p7, {202, 69, 118, 21}, kIp0, false);
    lightEdit("Edit22", p7, {330, 69, 119, 21}, kIp0, false);
    smallBold("Label37", p7, "Маска сети:");
    lightEdit("Edit27", p7, {75, 98, 118, 21}, kIp0, true);
    lightEdit("Edit28", p7, {202, 98, 118, 21}, kIp0, false);
    lightEdit("Edit29", p7, {330, 98, 119, 21}, kIp0, false);
    smallBold("Label14", p7, "MAC Адрес:");
    lightEdit("Edit10", p7, {74, 128, 127, 21}, kMac0, true);
    box("Bevel2", "QFrame", p7, {16, 163, 385, 3});
    smallBold("Label35", p7, "IP контрол-\nлера трубки:");
    lightEdit("Edit23", p7, {75, 181, 118, 21}, kIp0, true);
    lightEdit("Edit24", p7, {202, 181, 118, 21}, kIp0, false);
    lightEdit("Edit25", p7, {330, 181, 119, 21}, kIp0, false);
    tick("QCheckBox", "CheckBox7", p7, {12, 216, 193, 17}, " Синхронизировать дату и время", Ticked);
    button("Button5", p7, {335, 209, 112, 23}, "Заменить данные");

    // "Stream Work Socket +"
    box("Memo2", "QPlainTextEdit", "TabSheet3", {7, 15, 462, 357}, "Данные от сервера:");
    button("Button8", "TabSheet3", {312, 383, 142, 23}, "Очистить окно");
}

void DesignTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QFETCH(QPoint, pos);
    QFETCH(QSize, size);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QFETCH(bool, shown);
    QFETCH(int, checked);
    QFETCH(int, paint);
    QFETCH(bool, smallBold);

    const auto found = w.findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QWidget *widget = found.first();
    // The exact class: a label or a text view passing for a panel or a memo is a fault too.
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    if (pos != kFree)
        QCOMPARE(widget->pos(), pos);
    if (size.isValid())
        QCOMPARE(widget->size(), size);
    QCOMPARE(captionOf(widget), text);
    QCOMPARE(widget->isEnabled(), enabled);
    QCOMPARE(!widget->isHidden(), shown);

    auto *button = qobject_cast<QAbstractButton *>(widget);
    if (checked == NotCheckable) {
        QVERIFY(!button || !button->isCheckable());
    } else {
        QVERIFY(button);
        QCOMPARE(button->isChecked(), checked == Ticked);
    }

    if (paint == Light3D) {
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            QCOMPARE(widget->palette().color(group, QPalette::Base), kLight3D);
    } else {
        QVERIFY(!widget->testAttribute(Qt::WA_SetPalette));
    }

    const QFont font = widget->font();
    QCOMPARE(font.family(), smallBold ? QStringLiteral("Arial") : kWindowFont);
    QCOMPARE(font.pointSize(), smallBold ? 7 : 8);
    QCOMPARE(font.bold(), smallBold);
}

void DesignTest::captionsBesideFields_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("field");

    const char *pairs[][2] = {
        {"Label6", "Edit3"},   {"Label8", "Edit5"},   {"Label10", "Edit4"},  {"Label15", "Edit11"},
        {"Label17", "Edit17"}, {"Label11", "Edit8"},  {"Label32", "Edit18"}, {"Label36", "Edit26"},
        {"Label9", "Edit7"},   {"Label33", "Edit19"}, {"Label12", "Edit6"},  {"Label16", "Edit12"},
        {"Label13", "Edit9"},  {"Label34", "Edit20"}, {"Label37", "Edit27"}, {"Label14", "Edit10"},
        {"Label35", "Edit23"},
    };
    for (const auto &p : pairs)
        QTest::newRow(p[0]) << QString::fromLatin1(p[0]) << QString::fromLatin1(p[1]);
}

void DesignTest::captionsBesideFields()
{
    QFETCH(QString, caption);
    QFETCH(QString, field);
    const QWidget *label = named(caption);
    const QWidget *edit = named(field);
    QVERIFY(label && edit);
    QCOMPARE(label->parentWidget(), edit->parentWidget());
    const QRect l = label->geometry(), e = edit->geometry();
    // Ends just left of its field, and on the field's row.
    QVERIFY(l.right() < e.left());
    QVERIFY(e.left() - l.right() <= 8);
    QVERIFY(l.left() >= 0);
    QVERIFY(l.top() < e.center().y() && l.bottom() > e.center().y());
}

void DesignTest::frames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("shadow");
    for (int i = 1; i <= 9; ++i)
        QTest::newRow(qPrintable(QString("Panel%1").arg(i)))
            << QString("Panel%1").arg(i) << int(QFrame::StyledPanel) << int(QFrame::Raised);
    for (const char *bevel : {"Bevel2", "Bevel3"})
        QTest::newRow(bevel) << QString(bevel) << int(QFrame::HLine) << int(QFrame::Sunken);
}

void DesignTest::frames()
{
    QFETCH(QString, name);
    QFETCH(int, shape);
    QFETCH(int, shadow);
    auto *frame = qobject_cast<QFrame *>(named(name));
    QVERIFY(frame);
    QCOMPARE(int(frame->frameShape()), shape);
    QCOMPARE(int(frame->frameShadow()), shadow);
}

QTEST_MAIN(DesignTest)
#include "tst_design.moc"
