#pragma once

namespace platform {

// Routes SDL's large blocks (its textures and window surfaces) to the
// huge-page blocks; blocks SDL took before are still given back to the
// allocator they came from, so this may be called at any time.
void serve_sdl_large_blocks();

}
