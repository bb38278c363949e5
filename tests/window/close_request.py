#!/usr/bin/env python3
"""close_request.py WINDOW_ID: WM_DELETE_WINDOW to the window, as its close box sends it."""
import ctypes
import sys

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                           ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
display = x11.XOpenDisplay(None)
if not display:
    sys.exit("close_request: cannot open the display")
window = int(sys.argv[1], 0)
# An XClientMessageEvent on a 64-bit machine: each field in a long of its own (ClientMessage,
# serial, send_event, display, window, message_type, format 32, then its data), padded to the
# 24 longs of an XEvent.
event = (ctypes.c_long * 24)(33, 0, 0, 0, window,
                             x11.XInternAtom(display, b"WM_PROTOCOLS", 0), 32,
                             x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0))
sent = x11.XSendEvent(display, window, 0, 0, event)
x11.XFlush(display)
sys.exit(0 if sent else 1)
