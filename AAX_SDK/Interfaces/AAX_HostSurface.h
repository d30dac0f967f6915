#pragma once

// The native parent a headless host hands a plug-in view on platforms without
// a window system in reach (Linux builds of our host): a plain surface the
// view draws into and reads its input from, as it would from a window. Plain
// C data, identical on every compiler; the host owns it and keeps it alive
// until the view container is removed. Everything runs on the host's main
// thread: the host writes events and reads pixels between the view's timer
// ticks, the view reads events and writes pixels during them.

#include <stdint.h>

#ifdef __cplusplus
extern "C"
{
#endif

#define AAX_HOST_SURFACE_MAGIC 0x46525355u /* "USRF" little-endian */
#define AAX_HOST_SURFACE_VERSION 1u
#define AAX_HOST_SURFACE_MAX_EVENTS 256

  enum AAX_EHostSurfaceEvent
  {
    AAX_eHostSurfaceEvent_MouseDown = 1,
    AAX_eHostSurfaceEvent_MouseUp = 2,
    AAX_eHostSurfaceEvent_MouseMove = 3, /* a drag while a button is down */
    AAX_eHostSurfaceEvent_Wheel = 4,
    AAX_eHostSurfaceEvent_DoubleClick = 5,
    AAX_eHostSurfaceEvent_KeyDown = 6,
    AAX_eHostSurfaceEvent_KeyUp = 7
  };

/* Modifier and button bits of an event. */
#define AAX_HOST_SURFACE_BUTTON_LEFT 0x1
#define AAX_HOST_SURFACE_BUTTON_RIGHT 0x2
#define AAX_HOST_SURFACE_MOD_SHIFT 0x1
#define AAX_HOST_SURFACE_MOD_CONTROL 0x2
#define AAX_HOST_SURFACE_MOD_ALT 0x4

  typedef struct AAX_HostSurfaceEvent
  {
    int32_t kind; /* AAX_EHostSurfaceEvent */
    float x;      /* editor points */
    float y;
    float wheelDelta;  /* Wheel: notches, positive away from the user */
    int32_t buttons;   /* AAX_HOST_SURFACE_BUTTON_* held or pressed */
    int32_t modifiers; /* AAX_HOST_SURFACE_MOD_* */
    int32_t keyCode;   /* KeyDown/KeyUp: virtual key code */
    char text[8];      /* KeyDown/KeyUp: the key's UTF-8 text, zero-terminated */
  } AAX_HostSurfaceEvent;

  typedef struct AAX_HostSurface
  {
    uint32_t magic;   /* AAX_HOST_SURFACE_MAGIC, set by the host */
    uint32_t version; /* AAX_HOST_SURFACE_VERSION, set by the host */

    /* Host to view. Pixels per point of the "screen": 1 by default, 1.5 and 2
       settable; the view applies a change at its next tick. */
    float screenScale;

    /* Host-owned pixel buffer of `pixelCapacity` bytes. After each drawn frame
       the view writes its size and, when it fits, the frame: premultiplied RGBA,
       8 bits a channel, rows top to bottom, no padding; then counts the frame. */
    uint8_t* pixels;
    int64_t pixelCapacity;
    int32_t widthPixels;  /* view to host */
    int32_t heightPixels; /* view to host */
    int64_t frameCount;   /* view to host: frames copied into `pixels` */

    /* Host to view: events in order; the view takes all of them at its next
       tick and sets eventCount to 0. A host finding the queue full waits for a
       tick. */
    int32_t eventCount;
    AAX_HostSurfaceEvent events[AAX_HOST_SURFACE_MAX_EVENTS];
  } AAX_HostSurface;

#ifdef __cplusplus
}
#endif
