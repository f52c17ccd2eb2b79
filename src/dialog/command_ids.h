#pragma once

namespace doxa {

// Menu and toolbar command ids.
enum CommandId : int {
    CmdNew = 57600,
    CmdOpen = 57601,
    CmdSave = 57603,
    CmdSaveAs = 57604,
    CmdPrint = 57607,
    CmdRecentFile = 57616,  // 57616..57619
    CmdExit = 57665,
    CmdInitialize = 61208,
    CmdDisplay = 61204,
    CmdProgram = 61205,
    CmdCalibrate = 61206,
    CmdSensor = 61213,
    CmdText = 32786,
    CmdOutputCurrent = 61209,
    CmdPasswords = 61207,
    CmdPort = 32774,
    CmdModeHart = 32789,
    CmdModeRs485 = 32790,
    CmdFamilyDoxa = 32794,
    CmdFamilyRivo = 32795,
    CmdRam0 = 61210,
    CmdRam1 = 32787,
    CmdEeprom0 = 61211,
    CmdEeprom1 = 32777,
    CmdRegistersRead = 32793,
    CmdRegistersWrite = 32792,
    CmdLineMonitor = 32778,
    CmdHartConsole = 32775,
    CmdFactorySettings = 32781,
    CmdSetDelta = 32782,
    CmdHelpIndex = 57666,
    CmdHelpUsing = 57668,
    CmdAbout = 57664,
    CmdHelp = 57670,
    CmdContextHelp = 57669,
    CmdBlank = 61212,  // a toolbar slot without a command
    CmdExportPdf = 32800,  // the printed report as a PDF file
    CmdFindTransmitter = 32810,
    CmdLineStatistics = 32820,
    CmdBackups = 32821,
    CmdConfirmWrites = 32822,  // confirm what programming will change before it writes
    CmdHistory = 32823,  // the service history of the transmitters
    CmdReferenceInstrument = 32824,  // the tolerances the certificates judge against
    CmdReferenceInstruments = 32829,  // the register of reference instruments
    CmdCalibrationProcedure = 32830,  // as found, adjustment, as left: one calibration event
    CmdLoopWarning = 32831,  // warn to take the loop out of automatic control before forcing the output
    CmdLanguagePolish = 32840,  // the language of the program's texts from its next start
    CmdLanguageEnglish = 32841,
};

}  // namespace doxa
