// The editor test's single compilation of the PNG reader.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
