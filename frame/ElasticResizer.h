// The resizer every window carries. On, the window's controls follow its size; off (in the
// smaller-screen display), the window keeps its size and its controls their first places.
#pragma once

struct ElasticResizer {
    bool enabled = true;
    // On unless the smaller-screen display is in force.
    void followDisplayMode();
};
