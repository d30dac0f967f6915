// The tests' single compilation of the PNG and JPEG writer.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
