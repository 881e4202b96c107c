// The Comm page: the operator's identifiers and remarks, applied to the coded
// message as they change (heading, 61616, 62626 and 10166 groups), and the
// transmission of the message to ARWO over a serial port.
#pragma once

#include <functional>
#include <memory>

#include "ui/TabPage.h"
#include "wmo/RemarkEntries.h"
#include "wmo/ArwoTransmission.h"
#include "wmo/SerialPort.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QSpinBox;

class QPushButton;
class QTimer;

namespace velta {

class CommPage : public TabPage {
    Q_OBJECT
public:
    CommPage(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent = nullptr);
    // A save still waiting for the typing to pause is made now.
    ~CommPage() override;
    void refresh() override;
    QPlainTextEdit* text() const { return text_; }

    // The entries as the fields hold them now.
    RemarkEntries entries() const;
    // Sends the message through the port the fields select. A WC130J transfer
    // runs on its own thread with progress and Cancel; the window stays live.
    void send();
    // True while a WC130J transfer runs; the sounding cannot close then.
    bool transferring() const { return transferring_; }
    // The Cancel button's command.
    void cancelTransfer();
    QPushButton* cancelButton() const { return cancelButton_; }

    // Opens the port for sending: the device and the baud rate; null when it
    // cannot be opened (errorText tells why).
    std::function<std::unique_ptr<SerialPort>(const std::string& device, int baud, std::string& errorText)> openPort;

    QLineEdit* agency() const { return agency_; }
    QLineEdit* storm() const { return storm_; }
    QLineEdit* missionId() const { return missionId_; }
    QLineEdit* observation() const { return observation_; }
    QLineEdit* retransmission() const { return retransmission_; }
    QLineEdit* atcf() const { return atcf_; }
    QLineEdit* headerOverride() const { return headerOverride_; }
    QSpinBox* correction() const { return correction_; }
    QComboBox* icao() const { return icao_; }
    QComboBox* environment() const { return environment_; }
    QSpinBox* azimuth() const { return azimuth_; }
    QCheckBox* doubtfulHeights() const { return doubtful_; }
    QCheckBox* corrected() const { return corrected_; }
    QCheckBox* lastReport() const { return last_; }
    QComboBox* port() const { return port_; }
    QComboBox* baud() const { return baud_; }
    QComboBox* arwoType() const { return type_; }
    // Typing saves the configuration once it pauses this long, or when the field loses focus.
    static constexpr int SavePauseMs = 800;
    bool savePending() const;
    // The bytes of a WC130J transfer sent so far; shown while it runs.
    QProgressBar* progress() const { return progress_; }

private:
    void loadFields();
    void storeText(const char* option, QLineEdit* field, bool save);
    void storeIndex(const char* option, int index);
    void saveConfiguration();
    // Saves once the typing pauses; a field losing focus saves at once.
    void saveSoon();
    enum class TransferEnd { Finished, Cancelled, PortFailed };
    // Opens the port and sends on a thread; result holds the outcome of a
    // finished transfer, error why the port could not be opened.
    TransferEnd sendInBackground(const std::string& device, int baud, const std::vector<std::string>& lines,
                                 ArwoResult& result, std::string& error);
    void savePendingNow();
    void icaoTyped(const QString& text);
    // Rewrites heading and remarks from the fields and shows the message.
    void apply();
    void showMessage();

    QLabel* title_ = nullptr;
    QSpinBox* correction_ = nullptr;
    QLineEdit* headerOverride_ = nullptr;
    QLineEdit* agency_ = nullptr;
    QLineEdit* storm_ = nullptr;
    QLineEdit* missionId_ = nullptr;
    QLineEdit* observation_ = nullptr;
    QComboBox* icao_ = nullptr;
    QComboBox* environment_ = nullptr;
    QSpinBox* azimuth_ = nullptr;
    QLineEdit* retransmission_ = nullptr;
    QLineEdit* atcf_ = nullptr;
    QCheckBox* doubtful_ = nullptr;
    QCheckBox* corrected_ = nullptr;
    QCheckBox* last_ = nullptr;
    QComboBox* port_ = nullptr;
    QComboBox* baud_ = nullptr;
    QComboBox* type_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QProgressBar* progress_ = nullptr;
    int shownGeneration_ = -1;
    bool loading_ = false;
    QTimer* saveTimer_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    bool transferring_ = false;
};

}  // namespace velta
