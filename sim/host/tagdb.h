/* The host's tag database: named tags, each either a deterministic
 * signal over the simulated clock or a value that scripts assign. The
 * host serves the values through the point-access stand-in. Free of
 * windows.h, so checks can compute the very same samples. */
#ifndef KELHOST_TAGDB_H
#define KELHOST_TAGDB_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

enum SignalKind { SIGNAL_CONSTANT, SIGNAL_RAMP, SIGNAL_SINE, SIGNAL_STEP, SIGNAL_RANDOM, SIGNAL_ASSIGNED };

/* The point-access stand-in keeps names shorter than 64 bytes. */
#define HOST_TAGNAME_MAX 63

struct HostTag {
    std::string name;
    int kind;
    int line;         /* line of the tag database that defines it */
    double value;     /* constant, assigned: the value */
    double start;     /* ramp: value at 00:00:00 */
    double rate;      /* ramp: change per second */
    double mean;      /* sine, random: the middle */
    double amplitude; /* sine: half the swing */
    double period;    /* sine, step: seconds */
    double phase;     /* sine: degrees */
    double low;       /* step: first half of each period */
    double high;      /* step: second half */
    double spread;    /* random: largest distance from the mean */
    double noise;     /* any signal: largest added noise */
    uint64_t seed;    /* random, noise */
};

struct TagDb {
    std::string path;
    std::vector<HostTag> tags;
};

/* Read a tag database file. Gives 0, or -1 with "file:line: what was
 * expected" in error. */
int tagdb_load(TagDb *db, const char *path, std::string *error);

/* Index of the tag with this name (A-Z folded, as the point-access
 * library compares), or -1. */
int tagdb_find(const TagDb *db, const char *name);

/* The tag's value at the simulated time, in milliseconds. An assigned
 * tag gives its value whatever the time. */
double tag_value(const HostTag *tag, int64_t ms);

/* A number in [0, 1) from a seed and a time: the same for the same
 * pair on every machine. */
double signal_uniform(uint64_t seed, int64_t ms);

#endif
