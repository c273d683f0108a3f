#!/usr/bin/env python3
"""screen-colours.py X Y OUT: watches one pixel of the X screen ($DISPLAY) and appends its
colour to OUT ("R G B" lines) each time it changes, until killed.  It reads that pixel alone
(XGetImage of 1 x 1), so it sees every picture of a slideshow however loaded the machine;
a screenshot per look takes seconds there and misses pictures."""
import ctypes
import sys
import time

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]

ALL_PLANES, Z_PIXMAP = 0xFFFFFFFF, 2
display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
root = x11.XDefaultRootWindow(display)
x, y, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
last = None
with open(out, "a") as log:
    while True:
        image = x11.XGetImage(display, root, x, y, 1, 1, ALL_PLANES, Z_PIXMAP)
        if image:
            pixel = x11.XGetPixel(image, 0, 0)
            colour = (pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF)
            # XDestroyImage is a macro: the image's destroy_image, second of the function
            # pointers that follow its fields (offset 96 on a 64-bit system).
            destroy = ctypes.cast(ctypes.c_void_p(image + 96), ctypes.POINTER(ctypes.c_void_p))
            ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p)(destroy[0])(image)
            if colour != last:
                log.write("%d %d %d\n" % colour)
                log.flush()
                last = colour
        time.sleep(0.05)
