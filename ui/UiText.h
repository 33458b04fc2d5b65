#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

class CMessageTable;

// The numbers of the desktop's own texts in the catalogue (data/VEXA.cap, section "Pyrona"); the
// captions 0 to 312 are named where they are used.
namespace UiTextNumber {
inline constexpr std::uint16_t kSettingView = 500;
inline constexpr std::uint16_t kCloneView = 501;
inline constexpr std::uint16_t kLampTx = 502;  // then RX and ERR
inline constexpr std::uint16_t kPreviousParameter = 505;
inline constexpr std::uint16_t kNextParameter = 506;
inline constexpr std::uint16_t kPreviousParameterKeys = 507;
inline constexpr std::uint16_t kNextParameterKeys = 508;
inline constexpr std::uint16_t kCurrentParameter = 509;
inline constexpr std::uint16_t kValueRead = 510;
inline constexpr std::uint16_t kNewValue = 511;
inline constexpr std::uint16_t kNewValueTip = 512;
inline constexpr std::uint16_t kParameterSet = 513;
inline constexpr std::uint16_t kStatus = 514;
inline constexpr std::uint16_t kController = 515;
inline constexpr std::uint16_t kParameterList = 516;
inline constexpr std::uint16_t kParameters = 517;
// Names of buttons whose caption is empty, in the order of CMainDialog::Button.
inline constexpr std::uint16_t kFirstButtonName = 520;
inline constexpr std::uint16_t kUnlinkName = 530;
inline constexpr std::uint16_t kWriteName = 531;
inline constexpr std::uint16_t kCancelName = 532;
// The unit number's up and down arrows.
inline constexpr std::uint16_t kUnitUpName = 533;
inline constexpr std::uint16_t kUnitDownName = 534;
inline constexpr std::uint16_t kYes = 550;
inline constexpr std::uint16_t kNo = 551;
inline constexpr std::uint16_t kParameterSetFiles = 552;
inline constexpr std::uint16_t kCsvFiles = 553;
inline constexpr std::uint16_t kAllFiles = 554;
inline constexpr std::uint16_t kAboutPurpose = 560;
inline constexpr std::uint16_t kAboutAbilities = 561;
inline constexpr std::uint16_t kSendName = 570;
inline constexpr std::uint16_t kSentName = 571;
inline constexpr std::uint16_t kCommandName = 572;
inline constexpr std::uint16_t kResponseName = 573;
inline constexpr std::uint16_t kLineSettings = 574;
inline constexpr std::uint16_t kProgressCount = 580;
inline constexpr std::uint16_t kUpload = 600;
inline constexpr std::uint16_t kUploadCanceled = 601;
inline constexpr std::uint16_t kVerify = 602;
inline constexpr std::uint16_t kVerifyCanceled = 603;
inline constexpr std::uint16_t kDownloadTo = 604;
inline constexpr std::uint16_t kDownloadToCanceled = 605;
inline constexpr std::uint16_t kDownloadUnitMissing = 606;
inline constexpr std::uint16_t kSaved = 607;
inline constexpr std::uint16_t kOpened = 608;
inline constexpr std::uint16_t kExported = 609;
inline constexpr std::uint16_t kCountRead = 610;
inline constexpr std::uint16_t kCountEqual = 611;
inline constexpr std::uint16_t kCountWritten = 612;
inline constexpr std::uint16_t kCountDiffer = 613;
inline constexpr std::uint16_t kCountNotInSet = 614;
inline constexpr std::uint16_t kCountAbsent = 615;
inline constexpr std::uint16_t kCountFailed = 616;
inline constexpr std::uint16_t kLinkFailed = 620;
inline constexpr std::uint16_t kUploadFailed = 621;
inline constexpr std::uint16_t kVerifyFailed = 622;
inline constexpr std::uint16_t kDownloadFailed = 623;
inline constexpr std::uint16_t kSaveFailed = 624;
inline constexpr std::uint16_t kOpenFailed = 625;
inline constexpr std::uint16_t kExportFailed = 626;
inline constexpr std::uint16_t kRowAbsent = 650;
inline constexpr std::uint16_t kRowNotInSet = 651;
inline constexpr std::uint16_t kRowFailed = 652;
inline constexpr std::uint16_t kRowDiffers = 653;
inline constexpr std::uint16_t kRowNoValue = 654;
// Access keys (one letter each): the port window's fields in the order of their captions 50 to
// 55 (the unit number's also in the unit-number question), then OK, Cancel, Exit and the About
// window's key list.
inline constexpr std::uint16_t kFirstFieldKey = 660;
inline constexpr std::uint16_t kUnitFieldKey = 665;
inline constexpr std::uint16_t kOkKey = 666;
inline constexpr std::uint16_t kCancelKey = 667;
inline constexpr std::uint16_t kExitKey = 668;
inline constexpr std::uint16_t kKeyListKey = 669;
}  // namespace UiTextNumber

// Key of the input error box's text in section "MESSAGE".
inline constexpr const char* kInputErrorKey = "200";

// A catalogue text as the widgets show it; the values fill "%1", "%2", ...
QString UiText(const CMessageTable& catalogue, std::uint16_t number,
               const QStringList& values = {});

// The text, or the one of `otherwise` when the text is empty (a site's catalogue may leave a
// caption empty; screen readers still need a name).
QString UiTextOr(const CMessageTable& catalogue, std::uint16_t number, std::uint16_t otherwise);
