#pragma once

// Dispatches every pending window message, so long loops keep the window alive.
class IMessageDispatch {
 public:
  virtual ~IMessageDispatch() = default;
  virtual void ProcessMessages() = 0;
};
