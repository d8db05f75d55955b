#!/usr/bin/python3
"""A PTP/IP camera for the tests: it listens on 127.0.0.1 and answers the real
libgphoto2 ptp2 driver (handshake, operations with data phases, events).

The test drives it through stdin/stdout, one command per line, one answer per line:
  READY <port>                      printed once the camera listens
  prop <code>                       -> OK <current value> (hex code, e.g. 5007)
  setprop <code> <value>            the camera's own dials; -> OK
  writes <code>                     -> OK <values the host wrote, comma separated>
  files                             -> OK <names on the card, oldest first>
  add <name> <size> [folder]        puts a JPEG of about <size> bytes on the card (in
                                    DCIM/<folder>, made if new; default 100SNAP)
  buttonshot                        a picture taken with the camera's own button: it is
                                    added and announced with an ObjectAdded event
  capturesize <size>                the pictures it takes from now on: about <size> bytes
  filebytes <name>                  -> OK <hex sha1 of the file's bytes> <size>
  captured                          -> OK <name> <sha1> <size> of the last picture taken
  freeimages <count>                what the card reports as room left (-1: unknown)
  freebytes                         -> OK <free bytes on the card>
  fault <kind>                      stall | nocaptureevents | keepondelete | samefree
                                    | rawonly | nofileevent | chatter | deletedenied
                                    | writeprotected
                                    (keepondelete: DeleteObject answers OK and keeps the
                                    picture; deletedenied / writeprotected: it answers
                                    Access_Denied / Object_WriteProtected and keeps it;
                                    samefree: the card reports the free room it has now
                                    until healed, whatever is added or deleted;
                                    rawonly: captures make a raw file and no JPEG;
                                    nofileevent: a capture reports only CaptureComplete;
                                    chatter: a DevicePropChanged event every 50 ms)
  latefile <seconds>                captures send CaptureComplete first and ObjectAdded
                                    that much later (0: in order again)
  busy <code> <count>               the next <count> operations of that code answer
                                    DeviceBusy
  refuse <code> <count>             the next <count> operations of that code answer
                                    GeneralError
  listdelay <seconds>               each GetObjectHandles takes that long
  heal                              ends every fault; stalled connections are reset
  kill                              closes every connection and stops listening
  revive                            listens again on the same port
  ops                               -> OK <operation codes received, comma separated>
  optimes <code>                    -> OK <when each operation of that code arrived, in
                                    seconds of a monotonic clock, comma separated>
  frames                            -> OK <live-view frames served so far>
  quit

With --stream the camera speaks PTP 1.1 and streams live view the standard way, which
is what libgphoto2 (2.5.30) uses for a camera without a vendor extension: it offers
GetStreamInfo (1024) and GetStream (1025) and the properties SupportedStreams (5020,
bit 0: video) and EnabledStreams (5021). The library reads 5020, reads 5021 and sets
bit 0 when it is clear, asks GetStreamInfo for stream 1, then takes each frame with
GetStream; a frame is a JPEG, numbered in a comment segment.
"""

import argparse
import base64
import hashlib
import socket
import struct
import sys
import threading
import time

# A small baseline JPEG; pictures are this image padded with comment segments.
BASE_JPEG = base64.b64decode(
    "/9j/4AAQSkZJRgABAQEAYABgAAD/2wBDAA0JCgsKCA0LCgsODg0PEyAVExISEyccHhcgLikxMC4pLSwzOko+"
    "MzZGNywtQFdBRkxOUlNSMj5aYVpQYEpRUk//2wBDAQ4ODhMREyYVFSZPNS01T09PT09PT09PT09PT09PT09P"
    "T09PT09PT09PT09PT09PT09PT09PT09PT09PT09PT0//wAARCAAwAEADASIAAhEBAxEB/8QAHwAAAQUBAQEB"
    "AQEAAAAAAAAAAAECAwQFBgcICQoL/8QAtRAAAgEDAwIEAwUFBAQAAAF9AQIDAAQRBRIhMUEGE1FhByJxFDKB"
    "kaEII0KxwRVS0fAkM2JyggkKFhcYGRolJicoKSo0NTY3ODk6Q0RFRkdISUpTVFVWV1hZWmNkZWZnaGlqc3R1"
    "dnd4eXqDhIWGh4iJipKTlJWWl5iZmqKjpKWmp6ipqrKztLW2t7i5usLDxMXGx8jJytLT1NXW19jZ2uHi4+Tl"
    "5ufo6erx8vP09fb3+Pn6/8QAHwEAAwEBAQEBAQEBAQAAAAAAAAECAwQFBgcICQoL/8QAtREAAgECBAQDBAcF"
    "BAQAAQJ3AAECAxEEBSExBhJBUQdhcRMiMoEIFEKRobHBCSMzUvAVYnLRChYkNOEl8RcYGRomJygpKjU2Nzg5"
    "OkNERUZHSElKU1RVVldYWVpjZGVmZ2hpanN0dXZ3eHl6goOEhYaHiImKkpOUlZaXmJmaoqOkpaanqKmqsrO0"
    "tba3uLm6wsPExcbHyMnK0tPU1dbX2Nna4uPk5ebn6Onq8vP09fb3+Pn6/9oADAMBAAIRAxEAPwDGUVIopFFS"
    "qK9GcjgihVFSqKRRUqiuWcjaKFUVKopFFSqK5JyNooVRUqimqKlUVyzkbRRgqKlUUiipFFevORwxQ5RUqimq"
    "KlUVyzkbRQqipVFIoqVRXLORtFCqKlUUiipFFck5G0UYKipVFIoqVRXsTkcUUKoqVRSKKkUVyTkbRQ5RUiik"
    "UVKorlnI2ihVFSqKRRUqiuWcjaKP/9k="
)

MODEL = "Snapdeck PTP/IP Test Camera"
MANUFACTURER = "Snapdeck"
STORAGE_ID = 0x00010001
ROOT = 0xFFFFFFFF

# PTP/IP packet types.
INIT_COMMAND_REQUEST, INIT_COMMAND_ACK, INIT_EVENT_REQUEST, INIT_EVENT_ACK = 1, 2, 3, 4
OPERATION_REQUEST, OPERATION_RESPONSE, EVENT = 6, 7, 8
START_DATA, DATA, END_DATA = 9, 10, 12

# Response codes.
RC_OK, RC_GENERAL_ERROR, RC_NOT_SUPPORTED = 0x2001, 0x2002, 0x2005
RC_INVALID_STORAGE, RC_INVALID_HANDLE, RC_PROP_NOT_SUPPORTED = 0x2008, 0x2009, 0x200A
RC_INVALID_PROP_VALUE, RC_SESSION_ALREADY_OPEN = 0x201C, 0x201E
RC_DEVICE_BUSY = 0x2019
RC_INVALID_PARAMETER = 0x201D
RC_OBJECT_WRITE_PROTECTED, RC_ACCESS_DENIED = 0x200D, 0x200F

# Events.
EC_OBJECT_ADDED, EC_DEVICE_PROP_CHANGED, EC_CAPTURE_COMPLETE = 0x4002, 0x4006, 0x400D

# Data types.
UINT8, UINT16, UINT32, STR = 0x0002, 0x0004, 0x0006, 0xFFFF

FORMAT_UNDEFINED, FORMAT_ASSOCIATION, FORMAT_JPEG = 0x3000, 0x3001, 0x3801

# PTP 1.1 streaming.
OC_GET_STREAM_INFO, OC_GET_STREAM = 0x1024, 0x1025
DPC_SUPPORTED_STREAMS, DPC_ENABLED_STREAMS = 0x5020, 0x5021
STREAM_VIDEO = 1
DATA_CHUNK = 64 * 1024


def u8(v): return struct.pack("<B", v)
def u16(v): return struct.pack("<H", v)
def u32(v): return struct.pack("<I", v)
def u64(v): return struct.pack("<Q", v)


def ptp_string(text):
    if not text:
        return b"\x00"
    chars = text + "\x00"
    return u8(len(chars)) + chars.encode("utf-16-le")


def read_ptp_string(data, offset):
    count = data[offset]
    if count == 0:
        return "", offset + 1
    raw = data[offset + 1: offset + 1 + count * 2]
    return raw.decode("utf-16-le").rstrip("\x00"), offset + 1 + count * 2


def u16_array(values):
    return u32(len(values)) + b"".join(u16(v) for v in values)


def u32_array(values):
    return u32(len(values)) + b"".join(u32(v) for v in values)


# Bytes 0..250 over and over, enough for any comment segment at any starting byte.
FILLER_PATTERN = bytes(range(251)) * (65533 // 251 + 2)


def make_jpeg(size, tag):
    """The base picture with comment segments after SOI, about `size` bytes long."""
    body = BASE_JPEG[2:]
    comments = bytearray()
    label = tag.encode()
    comments += b"\xff\xfe" + u16(len(label) + 2)[::-1] + label
    filler = 0
    while len(comments) + len(BASE_JPEG) < size:
        room = min(65533, size - len(BASE_JPEG) - len(comments) - 4)
        if room <= 0:
            break
        start = filler % 251
        payload = FILLER_PATTERN[start: start + room]
        comments += b"\xff\xfe" + struct.pack(">H", room + 2) + payload
        filler += 1
    return b"\xff\xd8" + bytes(comments) + body


class Prop:
    def __init__(self, datatype, value, enum=None, rng=None, writable=True):
        self.datatype, self.value, self.enum, self.rng = datatype, value, enum, rng
        self.writable = writable
        self.writes = []

    def pack_value(self, v):
        if self.datatype == STR:
            return ptp_string(v)
        return {UINT8: u8, UINT16: u16, UINT32: u32}[self.datatype](v)

    def unpack_value(self, data):
        if self.datatype == STR:
            return read_ptp_string(data, 0)[0]
        fmt = {UINT8: "<B", UINT16: "<H", UINT32: "<I"}[self.datatype]
        return struct.unpack_from(fmt, data)[0]

    def accepts(self, v):
        if self.enum is not None:
            return v in self.enum
        if self.rng is not None:
            low, high, step = self.rng
            return low <= v <= high and (v - low) % step == 0
        return True

    def desc(self, code):
        out = u16(code) + u16(self.datatype) + u8(1 if self.writable else 0)
        out += self.pack_value(self.value) + self.pack_value(self.value)
        if self.enum is not None:
            out += u8(2) + u16(len(self.enum)) + b"".join(self.pack_value(v) for v in self.enum)
        elif self.rng is not None:
            out += u8(1) + b"".join(self.pack_value(v) for v in self.rng)
        else:
            out += u8(0)
        return out


def default_props():
    return {
        0x5001: Prop(UINT8, 80, rng=(0, 100, 1), writable=False),          # battery level
        0x5003: Prop(STR, "1600x1200",
                     enum=["640x480", "1024x768", "1600x1200", "2048x1536", "3264x2448"]),
        0x5005: Prop(UINT16, 2, enum=[2, 4, 5, 6, 7]),                      # white balance
        0x5007: Prop(UINT16, 280, enum=[280, 350, 400, 560, 800, 1100]),     # f-number x100
        0x5008: Prop(UINT32, 630, rng=(630, 3150, 1)),                       # focal length
        0x5009: Prop(UINT16, 1000, rng=(100, 10000, 1)),                     # focus distance
        0x500A: Prop(UINT16, 2, enum=[1, 2, 3]),                            # focus mode
        0x500C: Prop(UINT16, 1, enum=[1, 2, 3, 4]),                         # flash mode
        0x500D: Prop(UINT32, 333, enum=[10, 20, 40, 80, 125, 333, 667,       # exposure time
                                       1250, 2500, 5000, 10000, 20000, 150000]),
        0x500E: Prop(UINT16, 2, enum=[1, 2, 3, 4]),                         # exposure program
        0x500F: Prop(UINT16, 100, enum=[0xFFFF, 50, 100, 200, 400, 800]),           # ISO
    }


class PtpObject:
    def __init__(self, handle, name, parent, fmt, data=b""):
        self.handle, self.name, self.parent, self.format, self.data = handle, name, parent, fmt, data

    def info(self):
        assoc = 1 if self.format == FORMAT_ASSOCIATION else 0
        out = u32(STORAGE_ID) + u16(self.format) + u16(0) + u32(len(self.data))
        out += u16(FORMAT_JPEG if self.format == FORMAT_JPEG else 0) + u32(0) + u32(0) + u32(0)
        out += u32(64 if self.format == FORMAT_JPEG else 0) + u32(48 if self.format == FORMAT_JPEG else 0)
        out += u32(24 if self.format == FORMAT_JPEG else 0)
        out += u32(self.parent) + u16(assoc) + u32(0) + u32(0)
        out += ptp_string(self.name) + ptp_string("20250101T120000") + ptp_string("20250101T120000")
        out += ptp_string("")
        return out


def stream_props():
    return {
        DPC_SUPPORTED_STREAMS: Prop(UINT32, STREAM_VIDEO, writable=False),
        DPC_ENABLED_STREAMS: Prop(UINT32, 0, enum=[0, STREAM_VIDEO]),
    }


class Camera:
    def __init__(self):
        self.streams = False
        self.frames = 0
        self.lock = threading.RLock()
        self.event_lock = threading.Lock()
        self.props = default_props()
        self.objects = {}
        self.next_handle = 1
        self.next_number = 1
        self.capacity = 512 * 1024 * 1024
        self.free_images = 123
        self.faults = set()
        self.frozen_free = 0
        self.capture_size = 200 * 1024
        self.late_file = 0.0
        self.busy = {}
        self.refused = {}
        self.list_delay = 0.0
        self.last_capture = "none"
        self.ops = []
        self.op_times = []
        self.connections = []
        self.event_sock = None
        self.listener = None
        self.port = 0
        self.dcim = self._new_object("DCIM", 0, FORMAT_ASSOCIATION).handle
        self.folder = self._new_object("100SNAP", self.dcim, FORMAT_ASSOCIATION).handle
        threading.Thread(target=self._chatter_loop, daemon=True).start()

    def _new_object(self, name, parent, fmt, data=b""):
        obj = PtpObject(self.next_handle, name, parent, fmt, data)
        self.objects[obj.handle] = obj
        self.next_handle += 1
        return obj

    def add_picture(self, name=None, size=200 * 1024, folder=None):
        if name is None:
            name = "SNAP%04d.JPG" % self.next_number
        self.next_number += 1
        parent = self.folder if folder is None else self._folder_named(folder)
        return self._new_object(name, parent, FORMAT_JPEG, make_jpeg(size, name))

    def add_raw(self):
        name = "SNAP%04d.NEF" % self.next_number
        self.next_number += 1
        return self._new_object(name, self.folder, FORMAT_UNDEFINED, b"RAW" * 4000)

    def _folder_named(self, name):
        for obj in self.objects.values():
            if obj.format == FORMAT_ASSOCIATION and obj.parent == self.dcim and obj.name == name:
                return obj.handle
        return self._new_object(name, self.dcim, FORMAT_ASSOCIATION).handle

    def _chatter_loop(self):
        while True:
            time.sleep(0.05)
            with self.lock:
                chatter = "chatter" in self.faults
            if chatter:
                try:
                    self._send_event(EC_DEVICE_PROP_CHANGED, 0x5001)
                except OSError:
                    pass

    def free_bytes(self):
        if "samefree" in self.faults:
            return self.frozen_free
        used = sum(len(o.data) for o in self.objects.values())
        return self.capacity - used

    # --- networking -------------------------------------------------------------

    def listen(self, port=0):
        listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind(("127.0.0.1", port))
        listener.listen(4)
        self.listener = listener
        self.port = listener.getsockname()[1]
        threading.Thread(target=self._accept_loop, args=(listener,), daemon=True).start()

    def _accept_loop(self, listener):
        while True:
            try:
                conn, _ = listener.accept()
            except OSError:
                return
            # Small packets at once: the host waits for each answer.
            conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            with self.lock:
                self.connections.append(conn)
            threading.Thread(target=self._serve, args=(conn,), daemon=True).start()

    def kill(self):
        with self.lock:
            if self.listener:
                # shutdown() wakes the thread blocked in accept(); close() alone would
                # leave the port listening until then.
                try:
                    self.listener.shutdown(socket.SHUT_RDWR)
                except OSError:
                    pass
                self.listener.close()
                self.listener = None
            self._reset_connections()

    def _reset_connections(self):
        for conn in self.connections:
            try:
                conn.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            conn.close()
        self.connections = []
        self.event_sock = None

    @staticmethod
    def _recv_exact(conn, count):
        data = bytearray()
        while len(data) < count:
            chunk = conn.recv(count - len(data))
            if not chunk:
                raise EOFError
            data += chunk
            # Acknowledge at once: the host sends a data phase in several small writes
            # and would otherwise wait for our delayed acknowledgement each time.
            if hasattr(socket, "TCP_QUICKACK"):
                conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_QUICKACK, 1)
        return bytes(data)

    def _read_packet(self, conn):
        length, kind = struct.unpack("<II", self._recv_exact(conn, 8))
        return kind, self._recv_exact(conn, length - 8)

    @staticmethod
    def _send_packet(conn, kind, payload=b""):
        conn.sendall(u32(len(payload) + 8) + u32(kind) + payload)

    def _serve(self, conn):
        try:
            kind, payload = self._read_packet(conn)
            if kind == INIT_COMMAND_REQUEST:
                name = "snapdeck-camera\x00".encode("utf-16-le")
                self._send_packet(conn, INIT_COMMAND_ACK, u32(1) + b"\x11" * 16 + name + u32(0x00010000))
                self._command_loop(conn)
            elif kind == INIT_EVENT_REQUEST:
                with self.lock:
                    self.event_sock = conn
                self._send_packet(conn, INIT_EVENT_ACK)
                while self._recv_exact(conn, 1):
                    pass
        except (EOFError, OSError):
            pass

    def _send_event(self, code, *params):
        with self.lock:
            sock = self.event_sock
        if sock is not None:
            # Events come from several threads; a packet must not be split by another.
            with self.event_lock:
                self._send_packet(sock, EVENT, u16(code) + u32(0xFFFFFFFF) +
                                  b"".join(u32(p) for p in params))

    def _command_loop(self, conn):
        while True:
            kind, payload = self._read_packet(conn)
            if kind != OPERATION_REQUEST:
                continue
            _, code, tid = struct.unpack_from("<IHI", payload)
            params = list(struct.unpack_from("<%dI" % ((len(payload) - 10) // 4), payload, 10))
            with self.lock:
                self.ops.append(code)
                self.op_times.append(time.monotonic())
                stalled = "stall" in self.faults
            if stalled:
                continue
            if code == 0x1007 and self.list_delay:
                time.sleep(self.list_delay)
            incoming = None
            if code == 0x1016:  # SetDevicePropValue carries a data phase
                incoming = self._read_incoming_data(conn)
            rc, data, rparams = self._operate(code, params, incoming)
            if data is not None:
                self._send_data(conn, tid, data)
            self._send_packet(conn, OPERATION_RESPONSE, u16(rc) + u32(tid) + b"".join(u32(p) for p in rparams))
            if code == 0x100E and rc == RC_OK:
                self._announce_capture(tid)

    def _announce_capture(self, tid):
        with self.lock:
            faults = set(self.faults)
            late = self.late_file
            added = self._captured
        if "nocaptureevents" in faults:
            return
        if late:
            self._send_event(EC_CAPTURE_COMPLETE, tid)
            timer = threading.Timer(late, self._send_late_event, args=(added,))
            timer.daemon = True
            timer.start()
            return
        if "nofileevent" not in faults:
            self._send_event(EC_OBJECT_ADDED, added)
        self._send_event(EC_CAPTURE_COMPLETE, tid)

    def _send_late_event(self, handle):
        try:
            self._send_event(EC_OBJECT_ADDED, handle)
        except OSError:
            pass

    def _read_incoming_data(self, conn):
        data = bytearray()
        kind, payload = self._read_packet(conn)
        if kind != START_DATA:
            return b""
        total = struct.unpack_from("<Q", payload, 4)[0]
        while len(data) < total:
            kind, payload = self._read_packet(conn)
            data += payload[4:]
            if kind == END_DATA:
                break
        return bytes(data)

    def _send_data(self, conn, tid, data):
        self._send_packet(conn, START_DATA, u32(tid) + u64(len(data)))
        offset = 0
        while True:
            chunk = data[offset: offset + DATA_CHUNK]
            offset += len(chunk)
            last = offset >= len(data)
            self._send_packet(conn, END_DATA if last else DATA, u32(tid) + chunk)
            if last:
                return

    # --- operations -------------------------------------------------------------

    def enable_streams(self):
        self.streams = True
        self.props.update(stream_props())

    def _device_info(self):
        ops = [0x1001, 0x1002, 0x1003, 0x1004, 0x1005, 0x1007, 0x1008, 0x1009, 0x100A,
               0x100B, 0x100E, 0x1014, 0x1015, 0x1016]
        if self.streams:
            ops += [OC_GET_STREAM_INFO, OC_GET_STREAM]
        # Standard version 1.10 with streams, 1.00 without; no vendor extension.
        out = u16(110 if self.streams else 100) + u32(0) + u16(0) + ptp_string("") + u16(0)
        out += u16_array(ops) + u16_array([EC_OBJECT_ADDED, EC_DEVICE_PROP_CHANGED,
                                           EC_CAPTURE_COMPLETE])
        out += u16_array(sorted(self.props)) + u16_array([FORMAT_JPEG])
        out += u16_array([FORMAT_UNDEFINED, FORMAT_ASSOCIATION, FORMAT_JPEG])
        out += ptp_string(MANUFACTURER) + ptp_string(MODEL) + ptp_string("1.0") + ptp_string("0001")
        return out

    def _handles(self, storage, fmt, parent):
        if storage not in (ROOT, STORAGE_ID):
            return None
        found = []
        for obj in self.objects.values():
            if fmt and obj.format != fmt:
                continue
            if parent == ROOT and obj.parent != 0:
                continue
            if parent not in (0, ROOT) and obj.parent != parent:
                continue
            found.append(obj.handle)
        return found

    def _operate(self, code, params, incoming):
        p = params + [0] * 5
        with self.lock:
            if self.busy.get(code, 0) > 0:
                self.busy[code] -= 1
                return RC_DEVICE_BUSY, None, []
            if self.refused.get(code, 0) > 0:
                self.refused[code] -= 1
                return RC_GENERAL_ERROR, None, []
            if code == 0x1001:
                return RC_OK, self._device_info(), []
            if code in (0x1002, 0x1003):
                return RC_OK, None, []
            if code == 0x1004:
                return RC_OK, u32_array([STORAGE_ID]), []
            if code == 0x1005:
                if p[0] != STORAGE_ID:
                    return RC_INVALID_STORAGE, None, []
                info = u16(4) + u16(2) + u16(0) + u64(self.capacity) + u64(self.free_bytes())
                info += u32(self.free_images) + ptp_string("Card") + ptp_string("SNAPDECK")
                return RC_OK, info, []
            if code == 0x1007:
                found = self._handles(p[0], p[1], p[2])
                if found is None:
                    return RC_INVALID_STORAGE, None, []
                return RC_OK, u32_array(found), []
            if code in (0x1008, 0x1009, 0x100A, 0x100B):
                obj = self.objects.get(p[0])
                if obj is None:
                    return RC_INVALID_HANDLE, None, []
                if code == 0x1008:
                    return RC_OK, obj.info(), []
                if code in (0x1009, 0x100A):
                    return RC_OK, obj.data if code == 0x1009 else BASE_JPEG, []
                if "deletedenied" in self.faults:
                    return RC_ACCESS_DENIED, None, []
                if "writeprotected" in self.faults:
                    return RC_OBJECT_WRITE_PROTECTED, None, []
                if "keepondelete" not in self.faults:
                    del self.objects[obj.handle]
                return RC_OK, None, []
            if code == 0x100E:
                if "rawonly" in self.faults:
                    picture = self.add_raw()
                else:
                    picture = self.add_picture(size=self.capture_size)
                self._captured = picture.handle
                self.last_capture = "%s %s %d" % (picture.name, hashlib.sha1(picture.data).hexdigest(),
                                                  len(picture.data))
                return RC_OK, None, []
            if self.streams and code in (OC_GET_STREAM_INFO, OC_GET_STREAM):
                return self._stream(code, p[0])
            if code in (0x1014, 0x1015, 0x1016):
                prop = self.props.get(p[0])
                if prop is None:
                    return RC_PROP_NOT_SUPPORTED, None, []
                if code == 0x1014:
                    return RC_OK, prop.desc(p[0]), []
                if code == 0x1015:
                    return RC_OK, prop.pack_value(prop.value), []
                value = prop.unpack_value(incoming)
                prop.writes.append(value)
                if not prop.writable or not prop.accepts(value):
                    return RC_INVALID_PROP_VALUE, None, []
                prop.value = value
                return RC_OK, None, []
            return RC_NOT_SUPPORTED, None, []

    def _stream(self, code, stream):
        if code == OC_GET_STREAM_INFO:
            if stream != STREAM_VIDEO:
                return RC_INVALID_PARAMETER, None, []
            # DatasetSize, TimeResolution (microseconds), FrameHeaderSize, FrameMaxSize,
            # PacketHeaderSize, PacketMaxSize, PacketAlignment: bare JPEG frames.
            info = u64(36) + u64(1000000) + u32(0) + u32(64 * 1024) + u32(0) + u32(64 * 1024)
            info += u32(0)
            return RC_OK, info, []
        if not self.props[DPC_ENABLED_STREAMS].value & STREAM_VIDEO:
            return RC_ACCESS_DENIED, None, []
        self.frames += 1
        return RC_OK, make_jpeg(len(BASE_JPEG) + 64, "LIVE%06d" % self.frames), []

    # --- control channel --------------------------------------------------------

    def control(self, words):
        command = words[0]
        with self.lock:
            if command == "prop":
                return "OK %s" % self.props[int(words[1], 16)].value
            if command == "setprop":
                prop = self.props[int(words[1], 16)]
                prop.value = words[2] if prop.datatype == STR else int(words[2])
                return "OK"
            if command == "writes":
                return "OK " + ",".join(str(v) for v in self.props[int(words[1], 16)].writes)
            if command == "files":
                names = [o.name for o in self.objects.values() if o.format == FORMAT_JPEG]
                return "OK " + ",".join(names)
            if command == "add":
                self.add_picture(words[1], int(words[2]), words[3] if len(words) > 3 else None)
                return "OK"
            if command == "latefile":
                self.late_file = float(words[1])
                return "OK"
            if command == "busy":
                self.busy[int(words[1], 16)] = int(words[2])
                return "OK"
            if command == "refuse":
                self.refused[int(words[1], 16)] = int(words[2])
                return "OK"
            if command == "listdelay":
                self.list_delay = float(words[1])
                return "OK"
            if command == "capturesize":
                self.capture_size = int(words[1])
                return "OK"
            if command == "filebytes":
                for obj in self.objects.values():
                    if obj.name == words[1]:
                        return "OK %s %d" % (hashlib.sha1(obj.data).hexdigest(), len(obj.data))
                return "ERR no such file"
            if command == "captured":
                return "OK " + self.last_capture
            if command == "freeimages":
                self.free_images = int(words[1]) & 0xFFFFFFFF
                return "OK"
            if command == "freebytes":
                return "OK %d" % self.free_bytes()
            if command == "fault":
                if words[1] == "samefree":
                    self.frozen_free = self.free_bytes()
                self.faults.add(words[1])
                return "OK"
            if command == "heal":
                if "stall" in self.faults:
                    self._reset_connections()
                self.faults.clear()
                return "OK"
            if command == "frames":
                return "OK %d" % self.frames
            if command == "ops":
                return "OK " + ",".join("%04x" % c for c in self.ops)
            if command == "optimes":
                code = int(words[1], 16)
                return "OK " + ",".join("%.6f" % t for c, t in zip(self.ops, self.op_times)
                                        if c == code)
        if command == "buttonshot":
            with self.lock:
                picture = self.add_picture(size=self.capture_size)
            self._send_event(EC_OBJECT_ADDED, picture.handle)
            return "OK " + picture.name
        if command == "kill":
            self.kill()
            return "OK"
        if command == "revive":
            self.listen(self.port)
            return "OK"
        return "ERR unknown command"


def parse_options():
    parser = argparse.ArgumentParser(description="A PTP/IP camera for the tests.")
    parser.add_argument("port", nargs="?", type=int, default=0,
                        help="the port to listen on (default: any free port)")
    parser.add_argument("--readonly", default="",
                        help="properties set on the camera itself, comma separated hex "
                             "codes (e.g. 500E,5008): they are reported read-only and "
                             "every write is refused")
    parser.add_argument("--imagesizes", default="",
                        help="the image sizes the camera offers instead of its WxH ones, "
                             "comma separated (e.g. 'Large,Medium 1,Small'); the first "
                             "is the current one")
    parser.add_argument("--stream", action="store_true",
                        help="speak PTP 1.1 and stream live view (GetStream)")
    return parser.parse_args()


def apply_options(camera, options):
    if options.stream:
        camera.enable_streams()
    for code in filter(None, options.readonly.split(",")):
        camera.props[int(code, 16)].writable = False
    if options.imagesizes:
        sizes = options.imagesizes.split(",")
        camera.props[0x5003].enum = sizes
        camera.props[0x5003].value = sizes[0]


def main():
    options = parse_options()
    camera = Camera()
    apply_options(camera, options)
    camera.listen(options.port)
    print("READY %d" % camera.port, flush=True)
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        if words[0] == "quit":
            break
        try:
            answer = camera.control(words)
        except (KeyError, ValueError, IndexError) as error:
            answer = "ERR %s" % error
        print(answer, flush=True)
    camera.kill()


if __name__ == "__main__":
    main()
