#pragma once

class IApplicationInfo;
class IFontFileCheck;
class IFontServices;
class IFontTable;
class IHelp;
class IMessageBoxes;
class IMessageDispatch;
class IPrinter;
class IPrinterSetup;
class IProfileStrings;
class IRegistry;
class IScreen;
class IShell;
class ISystemFontCache;

// The platform services a window is handed; the program passes the real ones, tests pass fakes.
struct PlatformServices {
  IApplicationInfo& Application;
  IFontServices& Fonts;
  IScreen& Screen;
  IPrinter& Printer;
  IRegistry& Registry;
  IMessageBoxes& Messages;
  IHelp& Help;
  IMessageDispatch& Dispatch;
  IProfileStrings& Profile;
  IPrinterSetup& PrinterSetup;
  IFontTable& FontTable;
  IShell& Shell;
  ISystemFontCache& FontCache;
  IFontFileCheck& FontFiles;
};
