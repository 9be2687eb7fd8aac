// The ids of every text Tarvex looks up in its language files, by the role each text plays.
#pragma once

namespace textid {

// Run-time texts: OS line, message boxes, status texts, detail-list words, help file.
inline constexpr const char* kProductServer = "0001";
inline constexpr const char* kProductDomainController = "0002";
inline constexpr const char* kProductWorkstation = "0003";
inline constexpr const char* kNoLanguageFile = "0004";
inline constexpr const char* kAdvancedTitleSuffix = "0005";
inline constexpr const char* kVersionWord = "0006";
inline constexpr const char* kNoConfiguration = "0007";
inline constexpr const char* kErrorBoxTitle = "0008";
inline constexpr const char* kConfirmClean = "0009";
inline constexpr const char* kConfirmCleanTitle = "0010";
inline constexpr const char* kCleanStarted = "0011";
inline constexpr const char* kCleaningWithBefore = "0012";
inline constexpr const char* kCleaningWithAfter = "0013";
inline constexpr const char* kCleanFinished = "0014";
inline constexpr const char* kFileRemoved = "0015";
inline constexpr const char* kFileMissing = "0016";
inline constexpr const char* kFolderRemoved = "0017";
inline constexpr const char* kFolderMissing = "0018";
inline constexpr const char* kHelpFileName = "0019";
inline constexpr const char* kCabCleaning = "0020";
inline constexpr const char* kCabPleaseWait = "0021";
inline constexpr const char* kCabExtracting = "0022";
inline constexpr const char* kCabRemoving = "0023";
inline constexpr const char* kCabListing = "0024";
inline constexpr const char* kCabPacking = "0025";
inline constexpr const char* kCabFinished = "0026";
inline constexpr const char* kCabCompressorFailed = "0027";
inline constexpr const char* kCabCreateFailed = "0028";
inline constexpr const char* kCabAddFailed = "0029";
// Detail-list words for a folder the cleaning refuses to remove because the system needs it.
inline constexpr const char* kFolderProtected = "0030";
// Detail-list words for an item kept because the backup asked for could not be made.
inline constexpr const char* kBackupFailed = "0031";
// Detail-list words for a line whose path cannot be read as one absolute path.
inline constexpr const char* kPathUnclear = "0032";
// OS line: the words that say Windows itself is 64-bit.
inline constexpr const char* kWindows64Bit = "0033";
// Cab cleaner: why a run cleaned nothing, and why a cabinet was left as it was.
inline constexpr const char* kCabChooseConfiguration = "0040";
inline constexpr const char* kCabNoFolders = "0041";
inline constexpr const char* kCabExtractFailed = "0042";
inline constexpr const char* kCabNothingToRemove = "0043";
inline constexpr const char* kCabPackFailed = "0044";
inline constexpr const char* kCabCheckFailed = "0045";
inline constexpr const char* kCabBackupFailed = "0046";
inline constexpr const char* kCabReplaceFailed = "0047";
inline constexpr const char* kCabStopped = "0048";
// The preview: its window's title and text, its menu entry, the words of its lines.
inline constexpr const char* kTitlePreview = "0060";
inline constexpr const char* kMenuFilePreview = "0061";
inline constexpr const char* kPreviewInfo = "0062";
inline constexpr const char* kPreviewFile = "0063";
inline constexpr const char* kPreviewFolder = "0064";
inline constexpr const char* kPreviewKey = "0065";
inline constexpr const char* kPreviewValue = "0066";
inline constexpr const char* kPreviewSearchKey = "0067";
inline constexpr const char* kKeyProtected = "0068";
inline constexpr const char* kReadOnlyStays = "0069";
inline constexpr const char* kBytesWord = "0070";
inline constexpr const char* kFilesWord = "0071";
inline constexpr const char* kSubkeysWord = "0072";
inline constexpr const char* kPreviewToRemove = "0073";
inline constexpr const char* kPreviewKept = "0074";
inline constexpr const char* kPreviewFilters = "0075";
inline constexpr const char* kWizardCleanFinished = "0121";
inline constexpr const char* kServicePackAbbreviation = "0314";
inline constexpr const char* kDecodeSourceMissing = "0320";
inline constexpr const char* kDecodeUnknownMethod = "0321";
inline constexpr const char* kDecodeBadChecksum = "0322";

// Window titles and control captions.
inline constexpr const char* kTitleTarvex = "1000";
inline constexpr const char* kClose = "1001";
inline constexpr const char* kClean = "1002";
inline constexpr const char* kDetailInfo = "1003";
inline constexpr const char* kDetails = "1004";
inline constexpr const char* kMenuFile = "1005";
inline constexpr const char* kMenuFileClean = "1006";
inline constexpr const char* kMenuFileExit = "1007";
inline constexpr const char* kMenuOptions = "1008";
inline constexpr const char* kMenuOptionsWizard = "1009";
inline constexpr const char* kMenuBackupCleaner = "1010";
inline constexpr const char* kMenuBackupCleanerFiles = "1011";
inline constexpr const char* kMenuBackupCleanerRegistry = "1012";
inline constexpr const char* kMenuBackupCleanerLog = "1013";
inline constexpr const char* kMenuRestore = "1014";
inline constexpr const char* kMenuRestoreFiles = "1015";
inline constexpr const char* kMenuRestoreRegistry = "1016";
inline constexpr const char* kMenuLanguage = "1017";
inline constexpr const char* kMenuOptionsOptions = "1018";
inline constexpr const char* kMenuTools = "1019";
inline constexpr const char* kMenuToolsCab = "1020";
inline constexpr const char* kMenuHelp = "1021";
inline constexpr const char* kMenuHelpHelp = "1022";
inline constexpr const char* kMenuHelpAbout = "1023";
inline constexpr const char* kSelectFilters = "1024";
inline constexpr const char* kImportant = "1025";
inline constexpr const char* kOk = "1026";
inline constexpr const char* kTitleCabCleaner = "1027";
inline constexpr const char* kMenuToolsDriver = "1028";
inline constexpr const char* kTitleClearBackup = "1029";
inline constexpr const char* kClearBackupFrame = "1030";
inline constexpr const char* kDelete = "1031";
inline constexpr const char* kSelectNone = "1032";
inline constexpr const char* kSelectAll = "1033";
inline constexpr const char* kClearBackupInfo = "1034";
inline constexpr const char* kTitleClearLog = "1035";
inline constexpr const char* kClearLogFrame = "1036";
inline constexpr const char* kClearLogInfo = "1037";
inline constexpr const char* kTitleClearRegBackup = "1038";
inline constexpr const char* kClearRegBackupFrame = "1039";
inline constexpr const char* kWarningText = "1040";
inline constexpr const char* kTitleLanguage = "1041";
inline constexpr const char* kSave = "1042";
inline constexpr const char* kLanguageInfo = "1043";
inline constexpr const char* kTitleOptions = "1044";
inline constexpr const char* kOptionsRegBackup = "1045";
inline constexpr const char* kYes = "1046";
inline constexpr const char* kNo = "1047";
inline constexpr const char* kOptionsLogFile = "1048";
inline constexpr const char* kOptionsDirBackup = "1049";
inline constexpr const char* kOptionsFileBackup = "1050";
inline constexpr const char* kOptionsWizard = "1051";
inline constexpr const char* kOptionsInterface = "1052";
inline constexpr const char* kOptionsNormal = "1053";
inline constexpr const char* kOptionsAdvanced = "1054";
inline constexpr const char* kOptionsBackupInfo = "1055";
inline constexpr const char* kOptionsInterfaceInfo = "1056";
inline constexpr const char* kTitleRegRestore = "1057";
inline constexpr const char* kRegRestoreFrame = "1058";
inline constexpr const char* kRestore = "1059";
inline constexpr const char* kRegRestoreInfo = "1060";
inline constexpr const char* kTitleRestore = "1061";
inline constexpr const char* kDirRestoreFrame = "1062";
inline constexpr const char* kFileRestoreFrame = "1063";
inline constexpr const char* kDirRestoreInfo = "1064";
inline constexpr const char* kFileRestoreInfo = "1065";
inline constexpr const char* kTitleWizard = "1066";
inline constexpr const char* kCancel = "1067";
inline constexpr const char* kNext = "1068";
inline constexpr const char* kWizardFrame = "1069";
inline constexpr const char* kWizardFilterInfo = "1070";
inline constexpr const char* kWizardWelcome = "1071";
inline constexpr const char* kBack = "1072";
inline constexpr const char* kWizardSelected = "1073";
inline constexpr const char* kWizardPage2Info = "1074";
inline constexpr const char* kWarningCheck = "1075";
inline constexpr const char* kTitleFont = "1076";
inline constexpr const char* kFontInfo = "1077";
inline constexpr const char* kMenuFont = "1078";

// Every id above: each shipped language file must hold them all.
// clang-format off
inline constexpr const char* const kAllTextIds[] = {
    kProductServer, kProductDomainController, kProductWorkstation, kNoLanguageFile,
    kAdvancedTitleSuffix, kVersionWord, kNoConfiguration, kErrorBoxTitle, kConfirmClean,
    kConfirmCleanTitle, kCleanStarted, kCleaningWithBefore, kCleaningWithAfter, kCleanFinished,
    kFileRemoved, kFileMissing, kFolderRemoved, kFolderMissing, kHelpFileName, kCabCleaning,
    kCabPleaseWait, kCabExtracting, kCabRemoving, kCabListing, kCabPacking, kCabFinished,
    kCabCompressorFailed, kCabCreateFailed, kCabAddFailed, kFolderProtected, kBackupFailed,
    kPathUnclear, kWindows64Bit, kCabChooseConfiguration, kCabNoFolders, kCabExtractFailed,
    kCabNothingToRemove, kCabPackFailed, kCabCheckFailed, kCabBackupFailed, kCabReplaceFailed,
    kCabStopped, kTitlePreview, kMenuFilePreview, kPreviewInfo, kPreviewFile, kPreviewFolder, kPreviewKey,
    kPreviewValue, kPreviewSearchKey, kKeyProtected, kReadOnlyStays, kBytesWord, kFilesWord,
    kSubkeysWord, kPreviewToRemove, kPreviewKept, kPreviewFilters, kWizardCleanFinished,
    kServicePackAbbreviation, kDecodeSourceMissing, kDecodeUnknownMethod, kDecodeBadChecksum,
    kTitleTarvex, kClose, kClean, kDetailInfo, kDetails, kMenuFile, kMenuFileClean, kMenuFileExit,
    kMenuOptions, kMenuOptionsWizard, kMenuBackupCleaner, kMenuBackupCleanerFiles,
    kMenuBackupCleanerRegistry, kMenuBackupCleanerLog, kMenuRestore, kMenuRestoreFiles,
    kMenuRestoreRegistry, kMenuLanguage, kMenuOptionsOptions, kMenuTools, kMenuToolsCab, kMenuHelp,
    kMenuHelpHelp, kMenuHelpAbout, kSelectFilters, kImportant, kOk, kTitleCabCleaner,
    kMenuToolsDriver, kTitleClearBackup, kClearBackupFrame, kDelete, kSelectNone, kSelectAll,
    kClearBackupInfo, kTitleClearLog, kClearLogFrame, kClearLogInfo, kTitleClearRegBackup,
    kClearRegBackupFrame, kWarningText, kTitleLanguage, kSave, kLanguageInfo, kTitleOptions,
    kOptionsRegBackup, kYes, kNo, kOptionsLogFile, kOptionsDirBackup, kOptionsFileBackup,
    kOptionsWizard, kOptionsInterface, kOptionsNormal, kOptionsAdvanced, kOptionsBackupInfo,
    kOptionsInterfaceInfo, kTitleRegRestore, kRegRestoreFrame, kRestore, kRegRestoreInfo,
    kTitleRestore, kDirRestoreFrame, kFileRestoreFrame, kDirRestoreInfo, kFileRestoreInfo,
    kTitleWizard, kCancel, kNext, kWizardFrame, kWizardFilterInfo, kWizardWelcome, kBack,
    kWizardSelected, kWizardPage2Info, kWarningCheck, kTitleFont, kFontInfo, kMenuFont,
};
// clang-format on

} // namespace textid
