#pragma once

#include <QString>

namespace snapdeck {

// The --port value of a real camera, read the way libgphoto2 2.5 takes it:
//   usb:BUS,DEVICE                  as "gphoto2 --auto-detect" lists it (usb:001,005)
//   ptpip:ADDRESS                   port 15740 for commands and events
//   ptpip:ADDRESS:PORT              events on the same port, as PTP/IP has them
//   ptpip:ADDRESS:PORT:EVENTPORT
// ADDRESS is an IPv4 address: the library does not look host names up. Other ports
// libgphoto2 knows (serial:, disk:, ...) need a camera model the program never names:
// the library would open whichever camera it detects first instead.
struct CameraPort {
    QString path;    // the port as libgphoto2 is given it
    QString problem; // why the text names no port (one line); empty when it does
};

CameraPort readCameraPort(const QString& text);

} // namespace snapdeck
