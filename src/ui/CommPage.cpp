#include "ui/CommPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <QVBoxLayout>
#include <ctime>

#include "document/KarvoEdDoc.h"
#include "extern/VeltaDialogs.h"
#include "ui/CancellablePort.h"
#include "ui/FindingsConfirmation.h"
#include "ui/QtSerialPort.h"
#include "wmo/ArwoTransmission.h"
#include "wmo/DoubtfulHeights.h"
#include "wmo/RemarkOptions.h"
#include "wmo/Remarks.h"

namespace velta {

namespace {

constexpr int PortCount = 8;
const char* const Environments[] = {"", "EYE", "EYEWALL", "RAINBAND", "MXWNDBND"};

int intOption(const ConfigSet& config, const char* name) {
    return static_cast<int>(config.numericValue(name).value_or(0.0));
}

// An ICAO location indicator: four letters, typed in upper case.
class IcaoValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override {
        input = input.toUpper();
        for (QChar c : input)
            if (c < QLatin1Char('A') || c > QLatin1Char('Z')) return Invalid;
        return input.size() == static_cast<int>(RemarkEntries::IcaoLength) ? Acceptable : Intermediate;
    }
};

// A remark field takes printable ASCII only, of at most the field's width.
QLineEdit* lineField(QWidget* parent, int limit) {
    auto* field = new QLineEdit(parent);
    field->setMaxLength(limit);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[ -~]*"), field));
    return field;
}

}  // namespace

CommPage::CommPage(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent) : TabPage(doc, dialogs, parent) {
    openPort = [](const std::string& device, int baud, std::string& error) -> std::unique_ptr<SerialPort> {
        auto port = std::make_unique<QtSerialPort>(QString::fromStdString(device), baud);
        if (port->isOpen()) return port;
        error = port->errorText();
        return nullptr;
    };

    auto* layout = new QVBoxLayout(this);
    title_ = new QLabel(this);
    layout->addWidget(title_);
    auto* columns = new QHBoxLayout;
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    layout->addLayout(columns);

    correction_ = new QSpinBox(this);
    correction_->setRange(0, 99);
    headerOverride_ = lineField(this, RemarkEntries::HeaderOverrideLength);
    agency_ = lineField(this, RemarkEntries::AgencyLength);
    storm_ = lineField(this, RemarkEntries::StormLength);
    missionId_ = lineField(this, RemarkEntries::MissionIdLength);
    observation_ = lineField(this, RemarkEntries::ObservationLength);
    icao_ = new QComboBox(this);
    icao_->setEditable(true);
    icao_->setInsertPolicy(QComboBox::NoInsert);
    icao_->lineEdit()->setMaxLength(RemarkEntries::IcaoLength);
    icao_->lineEdit()->setValidator(new IcaoValidator(icao_));
    environment_ = new QComboBox(this);
    for (const char* e : Environments) environment_->addItem(e);
    azimuth_ = new QSpinBox(this);
    azimuth_->setRange(0, 360);
    retransmission_ = lineField(this, RemarkEntries::RetransmissionLength);
    atcf_ = lineField(this, RemarkEntries::AtcfLength);
    doubtful_ = new QCheckBox("Doubtful heights", this);
    corrected_ = new QCheckBox("Corrected report", this);
    last_ = new QCheckBox("Last Report", this);
    port_ = new QComboBox(this);
    baud_ = new QComboBox(this);
    type_ = new QComboBox(this);
    type_->addItems({"WC130H", "WC130J"});

    left->addRow("Correction Number", correction_);
    left->addRow("Abreviated Header Override", headerOverride_);
    left->addRow("Agency/Aircraft", agency_);
    left->addRow("Mission Storm System", storm_);
    left->addRow("Mission Id", missionId_);
    left->addRow("Observation Number", observation_);
    left->addRow("ICAO Id", icao_);
    right->addRow("Environment", environment_);
    right->addRow("Azimuth", azimuth_);
    right->addRow("Retransmission of OB", retransmission_);
    right->addRow("ATCF Identifier", atcf_);
    right->addRow(doubtful_);
    right->addRow(corrected_);
    right->addRow(last_);
    auto* link = new QHBoxLayout;
    link->addWidget(new QLabel("Comm", this));
    link->addWidget(port_);
    link->addWidget(new QLabel("Baud", this));
    link->addWidget(baud_);
    link->addWidget(new QLabel("ARWO Interface Type", this));
    link->addWidget(type_);
    auto* sendButton = new QPushButton("Send TEMPDROP message", this);
    sendButton_ = sendButton;
    link->addWidget(sendButton);
    cancelButton_ = new QPushButton("Cancel", this);
    cancelButton_->setObjectName("cancelTransfer");
    cancelButton_->setVisible(false);
    link->addWidget(cancelButton_);
    progress_ = new QProgressBar(this);
    progress_->setFormat("%v of %m bytes");
    progress_->setVisible(false);
    link->addWidget(progress_);
    link->addStretch();
    layout->addLayout(link);

    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(text_, 1);

    loadFields();

    saveTimer_ = new QTimer(this);
    saveTimer_->setSingleShot(true);
    saveTimer_->setInterval(SavePauseMs);
    connect(saveTimer_, &QTimer::timeout, this, &CommPage::saveConfiguration);
    for (QLineEdit* field : {agency_, storm_, missionId_, observation_, icao_->lineEdit()})
        connect(field, &QLineEdit::editingFinished, this, &CommPage::savePendingNow);

    // The 61616 fields store their option and save the configuration.
    const std::pair<QLineEdit*, const char*> mission[] = {
        {agency_, "ACagency"}, {storm_, "MissionStorm"}, {missionId_, "MissionId"}, {observation_, nullptr}};
    for (const auto& [field, option] : mission)
        connect(field, &QLineEdit::textEdited, this, [this, f = field, o = option] {
            if (o) storeText(o, f, false);
            saveSoon();
            apply();
        });
    connect(headerOverride_, &QLineEdit::textEdited, this, [this] {
        storeText("AbrHdrOvr", headerOverride_, false);
        apply();
    });
    connect(atcf_, &QLineEdit::textEdited, this, [this] {
        storeText("AtcfId", atcf_, false);
        apply();
    });
    connect(retransmission_, &QLineEdit::textEdited, this, [this] { apply(); });
    connect(correction_, &QSpinBox::valueChanged, this, [this] { apply(); });
    connect(azimuth_, &QSpinBox::valueChanged, this, [this] { apply(); });
    connect(environment_, &QComboBox::currentIndexChanged, this, [this] {
        azimuth_->setEnabled(environment_->currentText() == "EYEWALL");
        apply();
    });
    for (QCheckBox* box : {doubtful_, corrected_, last_})
        connect(box, &QCheckBox::toggled, this, [this] { apply(); });
    connect(icao_, &QComboBox::activated, this, [this](int index) {
        storeIndex("IcaoIndex", index);
        apply();
    });
    connect(icao_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) { icaoTyped(text); });
    connect(port_, &QComboBox::activated, this, [this](int index) { storeIndex("CommPortIndex", index); });
    connect(baud_, &QComboBox::activated, this, [this](int index) { storeIndex("BaudRateIndex", index); });
    connect(type_, &QComboBox::activated, this, [this](int index) { storeIndex("ACtype", index); });
    connect(sendButton, &QPushButton::clicked, this, [this] { send(); });
}

void CommPage::loadFields() {
    loading_ = true;
    const ConfigSet& config = doc_.configuration();
    const RemarkEntries stored = remarkEntriesFromOptions(config);
    headerOverride_->setText(QString::fromStdString(stored.headerOverride));
    agency_->setText(QString::fromStdString(stored.agencyAircraft));
    storm_->setText(QString::fromStdString(stored.missionStorm));
    missionId_->setText(QString::fromStdString(stored.missionId));
    atcf_->setText(QString::fromStdString(stored.atcfId));
    icao_->clear();
    for (const std::string& id : icaoList(config)) icao_->addItem(QString::fromStdString(id));
    icao_->setCurrentIndex(std::clamp(intOption(config, "IcaoIndex"), 0, icao_->count() - 1));
    environment_->setCurrentIndex(0);
    azimuth_->setEnabled(false);

    // The eight standard serial devices keep the stored index; adapters the
    // machine has besides them follow.
    for (int n = 1; n <= PortCount; ++n) {
        const QString device = QString::fromStdString(commPortDevice(n));
        port_->addItem(device, device);
    }
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (port_->findData(info.systemLocation()) < 0) port_->addItem(info.systemLocation(), info.systemLocation());
    port_->setCurrentIndex(std::clamp(intOption(config, "CommPortIndex"), 0, port_->count() - 1));
    for (int i = 0; i < BaudRateCount; ++i) baud_->addItem(QString::number(baudRateForIndex(i)));
    baud_->setCurrentIndex(std::clamp(intOption(config, "BaudRateIndex"), 0, BaudRateCount - 1));
    type_->setCurrentIndex(std::clamp(intOption(config, "ACtype"), 0, 1));
    loading_ = false;
}

RemarkEntries CommPage::entries() const {
    RemarkEntries e;
    e.icao = icao_->currentText().toStdString();
    e.headerOverride = headerOverride_->text().toStdString();
    e.correctionNumber = correction_->value();
    e.agencyAircraft = agency_->text().toStdString();
    e.missionStorm = storm_->text().toStdString();
    e.missionId = missionId_->text().toStdString();
    e.observationNumber = observation_->text().toStdString();
    e.environment = environment_->currentText().toStdString();
    e.azimuth = azimuth_->value();
    e.retransmission = retransmission_->text().toStdString();
    e.correctedReport = corrected_->isChecked();
    e.lastReport = last_->isChecked();
    e.atcfId = atcf_->text().toStdString();
    return e;
}

void CommPage::storeText(const char* option, QLineEdit* field, bool save) {
    if (ConfigOption* o = doc_.configuration().option(option)) o->setText(field->text().toStdString());
    if (save) saveConfiguration();
}

void CommPage::storeIndex(const char* option, int index) {
    if (loading_) return;
    if (ConfigOption* o = doc_.configuration().option(option)) o->setValue(index);
    saveConfiguration();
}

void CommPage::saveConfiguration() {
    saveTimer_->stop();
    auto notice = dialogs_.notice("Saving configuration...");
    doc_.saveConfiguration(true);
}

void CommPage::icaoTyped(const QString& text) {
    // The typed identifier becomes the first entry of the list.
    icao_->setItemText(0, text);
    icao_->setCurrentIndex(0);
    icao_->lineEdit()->setText(text);
    ConfigSet& config = doc_.configuration();
    if (ConfigOption* o = config.option("OptIcao")) o->setText(text.toStdString());
    if (ConfigOption* o = config.option("IcaoIndex")) o->setValue(0);
    apply();
    saveSoon();
}

void CommPage::saveSoon() { saveTimer_->start(); }

bool CommPage::savePending() const { return saveTimer_->isActive(); }

void CommPage::savePendingNow() {
    if (!saveTimer_->isActive()) return;
    saveTimer_->stop();
    saveConfiguration();
}

CommPage::~CommPage() { savePendingNow(); }

CommPage::TransferEnd CommPage::sendInBackground(const std::string& device, int baud,
                                                 const std::vector<std::string>& lines, ArwoResult& result,
                                                 std::string& error) {
    std::atomic<bool> cancelled{false};
    std::atomic<std::size_t> sent{0}, total{0};
    bool opened = false;
    Wc130jTransfer transfer;
    transfer.directory = temporaryDirectory();
    transfer.now = std::time(nullptr);
    transfer.progress = [&](std::size_t done, std::size_t of) {
        sent = done;
        total = of;
        return !cancelled;
    };
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        std::unique_ptr<SerialPort> port = openPort(device, baud, error);
        if (!port) return;
        opened = true;
        CancellablePort cancellable(std::move(port), cancelled);
        result = sendWc130j(cancellable, lines, transfer);
    }));
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer poll;
    poll.setInterval(50);
    auto show = [&] {
        progress_->setRange(0, static_cast<int>(std::max<std::size_t>(total, 1)));
        progress_->setValue(static_cast<int>(sent));
    };
    connect(&poll, &QTimer::timeout, this, show);
    const QMetaObject::Connection cancel =
        connect(cancelButton_, &QPushButton::clicked, this, [&] { cancelled = true; });
    progress_->setValue(0);
    progress_->setVisible(true);
    cancelButton_->setVisible(true);
    sendButton_->setEnabled(false);
    transferring_ = true;
    worker->start();
    poll.start();
    loop.exec();
    worker->wait();
    poll.stop();
    show();
    transferring_ = false;
    disconnect(cancel);
    cancelButton_->setVisible(false);
    sendButton_->setEnabled(true);
    progress_->setVisible(false);
    if (!opened) return TransferEnd::PortFailed;
    return cancelled ? TransferEnd::Cancelled : TransferEnd::Finished;
}

void CommPage::cancelTransfer() {
    if (transferring_) cancelButton_->click();
}

void CommPage::apply() {
    if (loading_) return;
    SoundingProcessor* processor = doc_.processor();
    TempMessage* message = processor ? processor->message() : nullptr;
    const SignificantLevels* levels = processor ? processor->levels() : nullptr;
    if (!message || !levels) return;
    applyRemarkEntries(*message, levels->levels(), processor->header(), entries(),
                       static_cast<int64_t>(doc_.messageTime()), processor->programVersion());
    setDoubtfulHeights(*message, levels->levels(), doubtful_->isChecked());
    showMessage();
}

void CommPage::showMessage() {
    const SoundingProcessor* processor = doc_.processor();
    const TempMessage* message = processor ? processor->message() : nullptr;
    text_->setPlainText(message ? QString::fromStdString(message->text(false)) : QString());
}

void CommPage::refresh() {
    SoundingProcessor* processor = doc_.processor();
    if (!processor) return;
    title_->setText(QString::fromStdString(processor->soundingDescription()));
    const int generation = processor->message() ? processor->messageGeneration() : -1;
    if (generation == shownGeneration_ && generation != -1) return;
    shownGeneration_ = generation;
    // A newly coded drop message carries placeholders for the heading and
    // remarks until the entries are applied to it.
    if (generation != -1 && !processor->header().ascending)
        apply();
    else
        showMessage();
}

void CommPage::send() {
    SoundingProcessor* processor = doc_.processor();
    if (!processor || !processor->message() || transferring_) return;
    if (!confirmDespiteFindings(doc_, dialogs_, "Send")) return;
    apply();
    const std::vector<std::string> lines = processor->message()->lines();
    const std::string device = port_->currentData().toString().toStdString();
    const int baud = baudRateForIndex(baud_->currentIndex());
    std::string error;
    ArwoResult result;
    if (type_->currentIndex() == static_cast<int>(ArwoInterface::WC130J)) {
        // The XMODEM transfer waits for the receiver: it runs on a thread of
        // its own, which opens and closes the port, while the window stays
        // live with progress and Cancel.
        auto notice = dialogs_.notice(TransmittingNotice);
        const TransferEnd end = sendInBackground(device, baud, lines, result, error);
        notice.reset();
        if (end == TransferEnd::PortFailed) {
            dialogs_.messageBox("Cannot open the serial port " + device + ": " + error);
            return;
        }
        if (end == TransferEnd::Cancelled) {
            dialogs_.messageBox("The transfer was cancelled: the WMO message was not sent.");
            return;
        }
    } else {
        std::unique_ptr<SerialPort> port = openPort(device, baud, error);
        if (!port) {
            dialogs_.messageBox("Cannot open the serial port " + device + ": " + error);
            return;
        }
        auto notice = dialogs_.notice(TransmittingNotice);
        result = sendWc130h(*port, lines);
    }
    if (!result.ok) dialogs_.messageBox(result.message.empty() ? result.detail : result.message);
}

}  // namespace velta
