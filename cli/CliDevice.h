#pragma once

#include <string>

#include "app/MessageTable.h"
#include "cli/CliOptions.h"
#include "cli/TerminalUi.h"
#include "ops/DeviceSession.h"

// A device session opened from the command line: the catalogue, the log, the line
// settings and the connection, with one clear line on stderr for every failure.
class CCliDevice {
  public:
    explicit CCliDevice(const SCliOptions& options);
    ~CCliDevice();

    // Connects in the given view; false (reported) when the controller cannot be reached.
    bool Connect(EView view);
    // Whether the command may have written to the controller.
    enum class EWrites { Some, None };
    // Disconnects (the model's DisConnect routine runs) and answers the command's exit code:
    // `code`, or a failure (reported) when the routine is there and failed after a run that
    // went well. After a command that wrote nothing and got all its data (no parameter failed)
    // the controller is as it was found: the failure is a warning, and the exit code stays the
    // data's (0, or 3 for a verify's differences).
    int Finish(int code, EWrites writes = EWrites::Some);
    CDeviceSession& Session() { return m_session; }
    CTerminalUi& Ui() { return m_ui; }

  private:
    const SCliOptions& m_options;
    CTerminalUi m_ui;
    CMessageTable m_catalogue;
    CDeviceSession m_session;
};

// Loads "VEXA.cap" from the program folder; false (reported) when it is missing.
bool LoadCatalogue(CMessageTable& catalogue);

// The index of the parameter a key names: its number, else its exact name, else the one name
// that matches but for case and surrounding spaces; -1 when none.
int FindParameter(const CMenuParamTable& table, const std::string& key);
// Why a key names no parameter, with the nearest name when one is near enough:
// no parameter "Set pont"; did you mean "Set point"?
std::string NoParameterMessage(const CMenuParamTable& table, const std::string& key,
                               const std::string& tablePath);
