// plughost's single compilation of the PNG writer.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
