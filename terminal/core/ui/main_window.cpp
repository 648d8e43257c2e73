#include "terminal/core/ui/main_window.h"

#include "shared/cp1252.h"
#include "terminal/core/ui/function_bar_dialog.h"
#include "terminal/core/ui/session_display.h"

#include "terminal/core/error_report.h"
#include "terminal/core/terminal.h"
#include "terminal/core/terminal_state.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/display/ui/display_style.h"
#include "terminal/display/ui/display_view.h"
#include "terminal/display/ui/session_screen.h"
#include "shared/ui/widget_helpers.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/status_texts.h"
#include "terminal/serial/port_choices.h"
#include "terminal/serial/serial_module.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace tarvex {

using WidgetHelpers::named;

namespace {

constexpr int kDefaultScriptBarWidth = 180;


} // namespace

MainWindow::MainWindow(Terminal& terminal, SerialModule& serial, QWidget* parent)
    : QMainWindow(parent), m_terminal(terminal), m_ctx(terminal.context()), m_serial(serial),
      m_displayFeed([this](const QString& text) { m_display->appendText(text); })
{
    setObjectName(QStringLiteral("frm1"));
    setMinimumSize(640, 400);
    resize(1000, 700);
    m_menu = new MenuBar(m_ctx.functions, this);
    setMenuBar(m_menu);
    connect(m_menu, &MenuBar::functionChosen, this, &MainWindow::frm1_MenuEvent);
    connect(m_menu, &MenuBar::functionHovered, this, &MainWindow::frm1_MenuOver);
    m_menuText = named(new QLabel(this), "frm1_lblMenuText");
    buildToolBar();
    buildCentral();
    buildStatusBar();
    m_terminal.setView(this);
    m_displayActions = new DisplayActions(m_ctx, m_display, this);
    m_session = new SessionDisplay(m_ctx, m_serial, *m_sessionScreen, this);
    connect(m_session, &SessionDisplay::activeChanged, this, [this](bool on) {
        layoutOptionalRows();
        if (on)
            m_sessionScreen->setFocus();
        else if (m_ctx.state.connectionActive)
            m_display->setFocus();
    });
    m_ctx.functions.add(Fn::Analysezeile, [this] { ZeichenAnalyse(0); });
    m_ctx.functions.setCheckRule(Fn::Analysezeile, [this] { return m_ctx.state.settings.analyse; });
    m_ctx.functions.add(Fn::Funktionsleiste, {[this] { FunktionsLeiste(0); }, QStringLiteral("Funktionsleiste"),
                                              QStringLiteral("Eigene Schaltflächen der Funktionsleiste"), {}, {}, {}});
    m_ctx.functions.add(Fn::Information, {[this] { showInformation(); }, QStringLiteral("Information"),
                                          QStringLiteral("Über das Programm"), {}, {}, {}});
    m_keys = new KeyPreview(m_ctx.functions, m_ctx.state.settings, *this);
    m_tools->refreshStates();
    connect(m_display, &DisplayView::selectionChanged, this, [this] {
        if (m_ctx.state.settings.analyse)
            ZeichenAnalyse(1);
    });
}

void MainWindow::buildToolBar()
{
    m_tools = new ToolBar(m_ctx.functions, this);
    addToolBar(Qt::TopToolBarArea, m_tools);
    connect(m_tools, &ToolBar::buttonClicked, this, &MainWindow::frm1_tb1_ButtonClick);
    connect(m_tools, &ToolBar::userButtonClicked, this, &MainWindow::functionBarButton);
}

void MainWindow::buildStatusBar()
{
    QStatusBar* bar = named(new QStatusBar(this), "frm1_sb1");
    setStatusBar(bar);
    for (int i = 0; i < 8; ++i) {
        QLabel* p = new QLabel(bar);
        p->setObjectName(QStringLiteral("frm1_sb1_%1").arg(i + 1));
        p->setFrameShape(QFrame::Panel);
        p->setFrameShadow(QFrame::Sunken);
        p->setMinimumWidth(i == 0 ? 180 : 50);
        if (i == 0)
            bar->addWidget(p, 2);
        else if (i == 1)
            bar->addWidget(p, 3);
        else
            bar->addPermanentWidget(p);
        m_panels.at(std::size_t(i)) = p;
    }
}

void MainWindow::buildCentral()
{
    QWidget* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(4);

    // Controls row.
    auto* controls = new QHBoxLayout;
    m_endChar = named(new QComboBox(central), "frm1_cbEndzeichen");
    m_endChar->addItems(PortChoices::endCharacterItems());
    m_endChar->setToolTip(QStringLiteral("Endzeichen"));
    connect(m_endChar, &QComboBox::activated, this, &MainWindow::frm1_cbEndzeichen_Click);
    controls->addWidget(m_endChar);
    auto* chkEmpfangen = m_chkEmpfangen = named(new QCheckBox(QStringLiteral("Sofort empfangen"), central), "frm1_chkEmpfangen");
    auto* chkSofort = m_chkSofort = named(new QCheckBox(QStringLiteral("Sofort senden"), central), "frm1_chkSofort");
    connect(chkEmpfangen, &QCheckBox::toggled, this, [this](bool on) {
        m_ctx.state.settings.sofortEmpf = on;
        // The end character can be changed here only while received text is shown at once.
        m_endChar->setEnabled(m_ctx.state.connectionActive && on);
    });
    connect(chkSofort, &QCheckBox::toggled, this, [this](bool on) { m_ctx.state.settings.sofortSend = on; });
    controls->addWidget(chkEmpfangen);
    controls->addWidget(chkSofort);
    m_ackButton = named(new QPushButton(QStringLiteral("ACK"), central), "frm1_cmdACK");
    auto* cmdAuswahl = m_cmdAuswahl = named(new QPushButton(QStringLiteral("Datei senden"), central), "frm1_cmdAuswahl");
    connect(m_ackButton, &QPushButton::clicked, this, [this] { m_serial.sender().sendAck(); });
    connect(cmdAuswahl, &QPushButton::clicked, this, [this] { m_ctx.functions.PrgFunktionen(210); });
    auto* cmdMonitor = m_cmdMonitor = named(new QPushButton(QStringLiteral("Editor"), central), "frm1_cmdMonitor");
    cmdMonitor->setToolTip(QStringLiteral("Anzeige im Editor zeigen"));
    connect(cmdMonitor, &QPushButton::clicked, this, &MainWindow::frm1_cmdMonitor_Click);
    auto* cmdExplorer = m_cmdExplorer = named(new QPushButton(QStringLiteral("Explorer"), central), "frm1_cmdExplorer");
    cmdExplorer->setToolTip(QStringLiteral("Programmverzeichnis öffnen"));
    connect(cmdExplorer, &QPushButton::clicked, this, [this] { m_ctx.functions.PrgFunktionen(115); });
    auto* cmdParameter = m_cmdParameter = named(new QPushButton(QStringLiteral("Parameter"), central), "frm1_cmdParameter");
    connect(cmdParameter, &QPushButton::clicked, this, [this] { m_ctx.functions.PrgFunktionen(201); });
    auto* cmdSystem = m_cmdSystem = named(new QPushButton(QStringLiteral("System"), central), "frm1_cmdSystem");
    cmdSystem->setToolTip(QStringLiteral("Systemsteuerung"));
    connect(cmdSystem, &QPushButton::clicked, this, &MainWindow::frm1_cmdSystem_Click);
    m_debug = named(new QCheckBox(QStringLiteral("Debug"), central), "frm1_chkDebug");
    connect(m_debug, &QCheckBox::clicked, this, &MainWindow::frm1_chkDebug_Click);
    for (QWidget* w : std::initializer_list<QWidget*>{m_ackButton, cmdAuswahl, cmdMonitor, cmdExplorer, cmdParameter,
                                                      cmdSystem, m_debug})
        controls->addWidget(w);
    controls->addStretch(1);
    outer->addLayout(controls);

    // Lamp row.
    m_lampRow = named(new QWidget(central), "frm1_frLampen");
    auto* lamps = new QHBoxLayout(m_lampRow);
    lamps->setContentsMargins(0, 0, 0, 0);
    const char* lampNames[6] = {"frm1_imgKnopf", "frm1_imgRX", "frm1_imgTX", "frm1_imgDSR", "frm1_imgRTS", "frm1_imgAnruf"};
    const char* lampTips[6] = {"Verbindung", "Empfangen", "Senden", "DSR", "RTS", "Anruf"};
    for (int i = 0; i < 6; ++i) {
        QLabel* l = named(new QLabel(m_lampRow), lampNames[i]);
        l->setToolTip(QString::fromUtf8(lampTips[i]));
        l->setPixmap(m_lampImages.image(i == 0 ? LampImage::GruenDunkel : LampImage::BlauDunkel));
        lamps->addWidget(l);
        QLabel* caption = new QLabel(QString::fromUtf8(lampTips[i]), m_lampRow);
        lamps->addWidget(caption);
        m_lamps.at(std::size_t(i)) = l;
        if (i == 5)
            m_callCaption = caption;
    }
    lamps->addSpacing(16);
    const auto optionLamp = [&](QLabel*& img, QLabel*& lbl, const char* imgName, const char* lblName, const char* text) {
        img = named(new QLabel(m_lampRow), imgName);
        lbl = named(new QLabel(QString::fromUtf8(text), m_lampRow), lblName);
        img->installEventFilter(this);
        lbl->installEventFilter(this);
        lamps->addWidget(img);
        lamps->addWidget(lbl);
    };
    optionLamp(m_imgEcho, m_lbl55, "frm1_imgEcho", "frm1_lbl55", "Echo aus");
    optionLamp(m_imgFilter, m_lbl56, "frm1_imgFilter", "frm1_lbl56", "Filter");
    optionLamp(m_imgHex, m_lbl57, "frm1_imgHEX", "frm1_lbl57", "HEX");
    m_filterList = named(new QListWidget(m_lampRow), "frm1_lbFilterZ");
    m_filterList->setFlow(QListView::LeftToRight);
    m_filterList->setFixedHeight(24);
    m_filterList->setMaximumWidth(140);
    m_filterList->setToolTip(QStringLiteral("Filterzeichen"));
    connect(m_filterList, &QListWidget::itemClicked, this, [this] { m_ctx.functions.PrgFunktionen(809); });
    lamps->addWidget(m_filterList);
    m_imgStatist = named(new QLabel(m_lampRow), "frm1_imgStatist");
    m_imgStatist->setPixmap(m_lampImages.image(LampImage::Gelb));
    m_imgStatist->setToolTip(QStringLiteral("Statistik"));
    m_imgStatist->installEventFilter(this);
    lamps->addWidget(m_imgStatist);
    lamps->addStretch(1);
    outer->addWidget(m_lampRow);

    // Display and script bar.
    auto* middle = new QHBoxLayout;
    m_display = named(new DisplayView(central), "frm1_rtAnzeige");
    m_display->installEventFilter(this);
    setAcceptDrops(true);
    middle->addWidget(m_display, 1);
    // The session screen takes the display's place while the session display is on.
    m_sessionArea = named(new QScrollArea(central), "frm1_frSession");
    m_sessionArea->setFrameShape(QFrame::NoFrame);
    m_sessionArea->setWidgetResizable(true);
    m_sessionArea->setFocusPolicy(Qt::NoFocus);
    m_sessionScreen = new SessionScreen;
    m_sessionArea->setWidget(m_sessionScreen);
    m_sessionArea->hide();
    middle->addWidget(m_sessionArea, 1);

    m_scriptBar = new ScriptBar(central);
    connect(m_scriptBar, &ScriptBar::functionRequested, this, [this](int fn) { m_ctx.functions.PrgFunktionen(fn); });
    connect(m_scriptBar, &ScriptBar::stopRequested, this, &MainWindow::frm1_lblScriptStop_Click);
    connect(m_scriptBar, &ScriptBar::widthChosen, this, &MainWindow::frm1_sliScripts_Scroll);
    middle->addWidget(m_scriptBar);
    outer->addLayout(middle, 1);

    m_analyse = named(new QPlainTextEdit(central), "frm1_edAnalyse");
    m_analyse->setReadOnly(true);
    m_analyse->setMaximumHeight(60);
    outer->addWidget(m_analyse);
    outer->addWidget(m_menuText);
    setCentralWidget(central);
}

void MainWindow::BildAufbau()
{
    TerminalState& st = m_ctx.state;
    KundeSettings& s = st.settings;

    // Caption and status bar panels.
    setWindowTitle(TerminalState::kTitle);
    statusPanel(1)->setText(QStringLiteral("     Informationen"));
    statusPanel(2)->setText(StatusTexts::connection(m_ctx.state.settings));
    statusPanel(2)->setToolTip(QStringLiteral("Parameter"));
    statusPanel(3)->setText(QStringLiteral("NUM"));
    statusPanel(3)->setToolTip(QStringLiteral("NUM Anzeige"));
    statusPanel(4)->setText(QStringLiteral("Caps"));
    statusPanel(4)->setToolTip(QStringLiteral("Shift Anzeige"));
    statusPanel(5)->setText(QStringLiteral("0"));
    statusPanel(5)->setToolTip(StatusTexts::receivedLinesToolTip(m_ctx.state.settings));
    statusPanel(6)->setText(QStringLiteral("0"));
    statusPanel(6)->setToolTip(QStringLiteral("Gesendete Zeilen"));
    updateCapturePanel();
    statusPanel(8)->setText(QStringLiteral("Bereit"));

    // End character.
    WidgetHelpers::selectByCode(m_endChar, s.endzeichen);

    applyDisplayStyle();

    // Script bar width.
    const int width = s.slider > 0 ? s.slider : kDefaultScriptBarWidth;
    m_scriptBar->setBarWidth(width);

    if (s.koordinate && s.startB > 0 && s.startH > 0)
        setGeometry(s.startX, s.startY, s.startB, s.startH);

    m_terminal.loadDataFiles();
    MenüErzeugen();
    showFunctionBar();
    m_keys->install();
    fillScriptList();
    fillFilterList();
    m_terminal.rotateMonitorFile();
    m_terminal.checkCaptureDirectory();
    updateCapturePanel();

    m_debug->setChecked(st.debugMode);
    showSendReceiveOptions();
    // Until the delayed start has opened the port, nothing that needs it can be used.
    enableConnectionControls(st.connectionActive);
    m_terminal.startSession();
    updateOptionLamps();
    layoutOptionalRows();

    QApplication::processEvents();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_usableScreenHeight = screen->availableGeometry().height() - 19;

    if (s.minimiert)
        showMinimized();
    else if (s.maximiert)
        showMaximized();
    else
        show();
    m_terminal.updateSchedulerTimer();
}

void MainWindow::MenüErzeugen()
{
    m_shownMenuTasten = m_ctx.state.settings.menuTasten;
    guarded(m_ctx.errors, "MenüErzeugen", 2, QString(), [&] {
        setBusyCursor(true);
        m_menu->build(MenuModel::build(m_ctx.state.menu.lines(), m_ctx.state.settings.menuTasten),
                      m_serial.parameterSets().availableSets());
        setBusyCursor(false);
    });
}

void MainWindow::applyDisplayStyle()
{
    const KundeSettings& s = m_ctx.state.settings;
    m_shownStyle = QStringList{s.schrift, QString::number(s.farbeHG), QString::number(s.farbeVG),
                               QString::number(s.maxZeilen)}.join(QLatin1Char('\n'));
    // A limit of 0 or less keeps the display's default number of lines.
    m_display->setMaximumLines(s.maxZeilen);
    m_display->setFont(DisplayStyle::fontFromRecord(s.schrift));
    QColor bg = DisplayStyle::colorFromSetting(s.farbeHG);
    QColor fg = DisplayStyle::colorFromSetting(s.farbeVG);
    if (bg == fg) {
        // Equal colours (both 0 before anything was set) would hide every line.
        bg = Qt::white;
        fg = Qt::black;
    }
    QPalette p = m_display->palette();
    p.setColor(QPalette::Base, bg);
    p.setColor(QPalette::Text, fg);
    m_display->setPalette(p);
}

void MainWindow::fillScriptList()
{
    m_scriptBar->setItems(m_ctx.state.scripts.barItems());
}

void MainWindow::fillFilterList()
{
    const TerminalState& st = m_ctx.state;
    m_filterList->clear();
    for (int c : st.filter.codes())
        m_filterList->addItem(QString::number(c));
    QPalette p = m_filterList->palette();
    p.setColor(QPalette::Base, st.settings.filter ? QColor(Qt::white) : QColor(192, 192, 192));
    m_filterList->setPalette(p);
}

void MainWindow::updateOptionLamps()
{
    const KundeSettings& s = m_ctx.state.settings;
    m_imgEcho->setPixmap(m_lampImages.image(s.datenEcho ? LampImage::Rot : LampImage::BlauDunkel));
    m_imgFilter->setPixmap(m_lampImages.image(s.filter ? LampImage::Rot : LampImage::BlauDunkel));
    m_imgHex->setPixmap(m_lampImages.image(s.hexWerte ? LampImage::Rot : LampImage::BlauDunkel));
    m_lamps[5]->setVisible(s.anruf);
    m_callCaption->setVisible(s.anruf);
}

void MainWindow::updateCapturePanel()
{
    statusPanel(7)->setText(StatusTexts::capture(m_ctx.state.settings));
    statusPanel(7)->setToolTip(StatusTexts::captureToolTip(m_ctx.state.settings));
}

void MainWindow::layoutOptionalRows()
{
    const KundeSettings& s = m_ctx.state.settings;
    const bool session = m_session && m_session->active();
    m_lampRow->setVisible(s.status);
    m_analyse->setVisible(s.analyse && !session);
    m_filterList->setVisible(!session);
    m_display->setVisible(!session);
    m_sessionArea->setVisible(session);
}

void MainWindow::setLamp(Lamp lamp, LampImage image)
{
    m_lamps.at(std::size_t(lamp))->setPixmap(m_lampImages.image(image));
}

void MainWindow::setBusyCursor(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
}

void MainWindow::setCaption(const QString& caption)
{
    setWindowTitle(caption);
}

QRect MainWindow::windowGeometry() const
{
    return isMaximized() || isMinimized() ? normalGeometry() : geometry();
}

void MainWindow::settingsChanged()
{
    const KundeSettings& s = m_ctx.state.settings;
    WidgetHelpers::selectByCode(m_endChar, s.endzeichen);
    showSendReceiveOptions();
    enableConnectionControls(m_ctx.state.connectionActive);
    updateOptionLamps();
    fillFilterList();
    if (m_session)
        m_session->update();
    layoutOptionalRows();
    updateCapturePanel();
    statusPanel(5)->setToolTip(StatusTexts::receivedLinesToolTip(s));
    // The display is restyled only when its settings changed.
    const QString style = QStringList{s.schrift, QString::number(s.farbeHG), QString::number(s.farbeVG),
                                      QString::number(s.maxZeilen)}.join(QLatin1Char('\n'));
    if (style != m_shownStyle)
        applyDisplayStyle();
    showFunctionBar();
    // The menu is rebuilt after the event that changed the settings has finished: that
    // event may come from one of the items the rebuild replaces.
    if (s.menuTasten != m_shownMenuTasten) {
        m_shownMenuTasten = s.menuTasten;
        QTimer::singleShot(0, this, &MainWindow::MenüErzeugen);
    }
    // Enabled and check states that read the settings follow them on every surface.
    m_ctx.functions.refreshStates();
}

void MainWindow::showFunctionBar()
{
    const KundeSettings& s = m_ctx.state.settings;
    m_tools->setVisible(s.fLeisteAktiv);
    if (m_buttonsShown && s.fLeisteTasten == m_shownButtons)
        return;
    m_buttonsShown = true;
    m_shownButtons = s.fLeisteTasten;
    m_tools->setUserButtons(functionButtons(s.fLeisteTasten), [this](const FunctionButton& b) -> ToolBar::Labels {
        switch (b.kind) {
        case FunctionButton::Kind::Function: {
            const QString caption = m_ctx.functions.caption(b.function());
            return {caption.isEmpty() ? QString::number(b.function()) : caption,
                    QStringLiteral("Programmfunktion ") + QString::number(b.function())};
        }
        case FunctionButton::Kind::Script: {
            const QString prefix = QStringLiteral("%1 ").arg(b.scriptSlot(), 2, 10, QLatin1Char('0'));
            for (const QString& item : m_ctx.state.scripts.barItems()) {
                if (item.startsWith(prefix))
                    return {item.mid(prefix.size()), QStringLiteral("Script ") + item};
            }
            return {QStringLiteral("Script ") + prefix.trimmed(), QStringLiteral("Script ") + prefix.trimmed()};
        }
        case FunctionButton::Kind::Characters:
            return {b.value.left(12), QStringLiteral("Zeichen senden: ") + b.value};
        }
        return {};
    });
}

void MainWindow::functionBarButton(const FunctionButton& button)
{
    switch (button.kind) {
    case FunctionButton::Kind::Function:
        m_ctx.functions.PrgFunktionen(button.function());
        break;
    case FunctionButton::Kind::Script:
        emit scriptButtonClicked(button.scriptSlot());
        break;
    case FunctionButton::Kind::Characters:
        if (!m_ctx.state.connectionActive) {
            m_ctx.prompter.information(QStringLiteral("Keine Verbindung aktiv!"));
            break;
        }
        m_serial.line().RS232_Protokoll(4, 0, Cp1252::decode(FunctionButton::characterBytes(button.value)));
        m_display->setFocus();
        break;
    }
}

void MainWindow::FunktionsLeiste(int mode)
{
    FunctionBarDialog dialog(m_ctx, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (mode == 0) {
        showFunctionBar();
        if (m_ctx.state.connectionActive)
            m_display->setFocus();
    }
}

void MainWindow::showInformation()
{
    m_ctx.prompter.information(TerminalState::kTitle + QStringLiteral("\rVersion ") + TerminalState::kVersion +
                               QStringLiteral("\r\rTerminalprogramm für Geräte an der seriellen Schnittstelle:\r"
                                              "Anzeige, Aufzeichnung, Scripts, Alarme, Zeitplaner und Statistik."));
}

void MainWindow::showSendReceiveOptions()
{
    const KundeSettings& s = m_ctx.state.settings;
    for (auto [box, on] : {std::pair{m_chkEmpfangen, s.sofortEmpf}, std::pair{m_chkSofort, s.sofortSend}}) {
        const QSignalBlocker quiet(box);
        box->setChecked(on);
    }
    m_chkSofort->setToolTip(QStringLiteral("Verzögerung: ") + QString::number(s.sendPause) + QStringLiteral(" ms Sekunde(n)"));
    m_cmdAuswahl->setToolTip(s.dateiLast);
}

void MainWindow::enableConnectionControls(bool active)
{
    const KundeSettings& s = m_ctx.state.settings;
    // A running script keeps the file and ACK buttons to itself (a script may reconnect).
    const bool free = !m_scriptBar->running();
    m_cmdAuswahl->setEnabled(active && free);
    m_ackButton->setEnabled(active && free && s.endzeichen == 3);
    for (QWidget* w : std::initializer_list<QWidget*>{m_chkEmpfangen, m_chkSofort})
        w->setEnabled(active);
    m_endChar->setEnabled(active && s.sofortEmpf);
    m_scriptBar->setConnected(active);
}

void MainWindow::endCharacterChanged()
{
    WidgetHelpers::selectByCode(m_endChar, m_ctx.state.settings.endzeichen);
    statusPanel(2)->setText(StatusTexts::connection(m_ctx.state.settings));
    enableConnectionControls(m_ctx.state.connectionActive);
}

void MainWindow::setStatusText(int panel, const QString& text)
{
    if (panel == 0)
        m_menuText->setText(text);
    else if (panel >= 1 && panel <= 8)
        statusPanel(panel)->setText(text);
}

void MainWindow::connectionChanged(bool active)
{
    showSendReceiveOptions();
    enableConnectionControls(active);
    updateOptionLamps();
    m_ctx.functions.refreshStates();
    if (active) {
        // The port was opened with the settings as they are now.
        endCharacterChanged();
        m_display->setFocus();
    } else {
        m_imgEcho->setPixmap(m_lampImages.image(LampImage::BlauDunkel));
    }
}

void MainWindow::appendDisplay(const QString& text)
{
    m_displayFeed.append(text);
}

void MainWindow::displayBurst(bool active)
{
    m_displayFeed.setBurst(active);
}

void MainWindow::flushDisplay()
{
    m_displayFeed.flush();
}

void MainWindow::displayBackspace()
{
    flushDisplay();
    m_display->removeLastCharacter();
}

void MainWindow::beep()
{
    QApplication::beep();
}

void MainWindow::setScriptRunning(bool running)
{
    // The window's own controls that would disturb a running script.
    for (QWidget* w : std::initializer_list<QWidget*>{m_cmdSystem, m_cmdParameter, m_cmdMonitor, m_cmdExplorer})
        w->setEnabled(!running);
    m_endChar->setVisible(!running);
    m_scriptBar->setRunning(running);
    enableConnectionControls(m_ctx.state.connectionActive);
}

} // namespace tarvex
