#pragma once

#include <functional>
#include <string>

// Receives the text of a platform error on a serial port.  The desktop program shows it
// in a message box, the command-line program prints it, tests capture it.
using ErrorReporter = std::function<void(const std::string& text)>;

// "ERROR:  [context] : \n<system text>\n", cut to 255 bytes.
std::string FormatErrorReport(const std::string& context, int errorNumber);

// Writes the text to standard error.
void ReportToStandardError(const std::string& text);
