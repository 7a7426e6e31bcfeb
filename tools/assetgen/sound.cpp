// Synthesized sound effects (16-bit PCM WAV) and the tune "syrup" (Ogg
// Vorbis): a cheerful 32-bar piece at 120 beats a minute, exactly 64 seconds,
// rendered as a loop (every note's tail and the echo wrap round to the start,
// so the end flows into the beginning without a click).
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>

#include "gen.h"

namespace ag {

namespace {

const int SR = 44100;

using Buf = std::vector<float>;

float Midi(float note) { return 440.0f * std::pow(2.0f, (note - 69) / 12.0f); }

void Normalize(Buf& b, float peak) {
    float m = 0;
    for (float s : b) m = std::max(m, std::fabs(s));
    if (m > 0)
        for (float& s : b) s *= peak / m;
}

// Fades the first and last few milliseconds so an effect never starts or stops with a click.
void Edges(Buf& b, float msIn = 2, float msOut = 8) {
    int a = (int)(SR * msIn / 1000), z = (int)(SR * msOut / 1000);
    for (int i = 0; i < a && i < (int)b.size(); i++) b[i] *= (float)i / a;
    for (int i = 0; i < z && i < (int)b.size(); i++) b[b.size() - 1 - i] *= (float)i / z;
}

struct OnePole {  // a simple low-pass; high-pass is the input minus it
    float y = 0, k;
    explicit OnePole(float cutoff) : k(1 - std::exp(-2 * kPi * cutoff / SR)) {}
    float Low(float x) { return y += k * (x - y); }
    float High(float x) { return x - Low(x); }
};

void Save(const Out& o, const std::string& rel, Buf b) {
    Edges(b);
    Normalize(b, 0.89f);  // about -1 dBFS: loud, never clipping
    if (!WriteWav16(o.data + "/" + rel, b, SR, 1)) {
        std::fprintf(stderr, "cannot write %s\n", rel.c_str());
        std::exit(1);
    }
    std::printf("  %s\n", rel.c_str());
}

Buf Make(float seconds) { return Buf((size_t)(seconds * SR), 0.0f); }

// ---- Effects ----

Buf Thwack() {
    Buf b = Make(0.32f);
    Rng r(4);
    OnePole hp(1800), lp(6000);
    float ph = 0, ph2 = 0;
    for (size_t i = 0; i < b.size(); i++) {
        float t = (float)i / SR;
        float noise = lp.Low(hp.High(r.R(-1, 1))) * std::exp(-t * 90) * 1.4f;
        float f = 230 * std::exp(-t * 9) + 120;
        ph += 2 * kPi * f / SR;
        float knock = std::sin(ph) * std::exp(-t * 28);
        ph2 += 2 * kPi * 1250 / SR;
        float click = std::sin(ph2) * std::exp(-t * 160) * 0.6f;
        b[i] = noise + knock + click;
    }
    return b;
}

Buf Land() {
    Buf b = Make(0.28f);
    Rng r(5);
    OnePole lp(500);
    float ph = 0;
    for (size_t i = 0; i < b.size(); i++) {
        float t = (float)i / SR;
        float f = 60 + 90 * std::exp(-t * 30);
        ph += 2 * kPi * f / SR;
        b[i] = std::sin(ph) * std::exp(-t * 18) + lp.Low(r.R(-1, 1)) * std::exp(-t * 40) * 2.0f;
    }
    return b;
}

Buf Putt() {
    Buf b = Make(0.16f);
    float p1 = 0, p2 = 0;
    for (size_t i = 0; i < b.size(); i++) {
        float t = (float)i / SR;
        p1 += 2 * kPi * 1650 / SR;
        p2 += 2 * kPi * 820 / SR;
        b[i] = std::sin(p1) * std::exp(-t * 70) * 0.6f + std::sin(p2) * std::exp(-t * 35);
    }
    return b;
}

// A water-drop "plop": a sine whose pitch rises quickly as it fades.
Buf Plop(float f0, float f1, float len, float rise) {
    Buf b = Make(len);
    float ph = 0;
    for (size_t i = 0; i < b.size(); i++) {
        float t = (float)i / SR;
        float f = f0 + (f1 - f0) * (1 - std::exp(-t * rise));
        ph += 2 * kPi * f / SR;
        b[i] = std::sin(ph) * std::exp(-t * 14) * std::min(1.0f, t * 400);
    }
    return b;
}

Buf Rattle() {  // the ball knocking round the cup
    Buf b = Make(0.36f);
    const float at[4] = {0.0f, 0.09f, 0.16f, 0.21f}, amp[4] = {1, 0.7f, 0.5f, 0.3f};
    for (int k = 0; k < 4; k++) {
        float ph = 0, ph2 = 0;
        for (size_t i = (size_t)(at[k] * SR); i < b.size(); i++) {
            float t = (float)i / SR - at[k];
            ph += 2 * kPi * 1100 / SR;
            ph2 += 2 * kPi * 2630 / SR;
            b[i] += (std::sin(ph) + 0.5f * std::sin(ph2)) * std::exp(-t * 60) * amp[k];
        }
    }
    return b;
}

Buf Ding() {
    Buf b = Make(0.6f);
    const float partials[3] = {1, 2.76f, 5.4f}, amps[3] = {1, 0.4f, 0.15f};
    for (int k = 0; k < 3; k++) {
        float ph = 0;
        for (size_t i = 0; i < b.size(); i++) {
            float t = (float)i / SR;
            ph += 2 * kPi * 1568 * partials[k] / SR;
            b[i] += std::sin(ph) * amps[k] * std::exp(-t * (6 + k * 6));
        }
    }
    return b;
}

// A bird's cry: a sweeping tone with a fast warble and a breathy edge.
Buf Squawk(float f0, float f1, float len, float warble, float harsh, uint32_t seed, int notes = 1) {
    Buf b = Make(len);
    Rng r(seed);
    OnePole hp(2500);
    float noteLen = len / notes;
    for (int n = 0; n < notes; n++) {
        float ph = 0;
        size_t s0 = (size_t)(n * noteLen * SR), s1 = std::min(b.size(), (size_t)((n + 1) * noteLen * SR));
        for (size_t i = s0; i < s1; i++) {
            float t = (float)(i - s0) / SR, u = t / noteLen;
            float f = f0 + (f1 - f0) * u + std::sin(t * 2 * kPi * warble) * f0 * 0.08f;
            ph += 2 * kPi * f / SR;
            float env = std::sin(kPi * std::min(1.0f, u)) * (1 - 0.3f * u);
            float tone = std::sin(ph) + harsh * std::sin(2 * ph) * 0.6f + harsh * std::sin(3 * ph) * 0.35f;
            b[i] += (std::tanh(tone * (1 + harsh * 2)) + hp.High(r.R(-1, 1)) * 0.25f) * env;
        }
    }
    return b;
}

Buf Blip(float f, float len, float squareness) {
    Buf b = Make(len);
    float ph = 0;
    for (size_t i = 0; i < b.size(); i++) {
        float t = (float)i / SR;
        ph += 2 * kPi * f / SR;
        float s = std::sin(ph);
        s = std::tanh(s * (1 + squareness * 4)) / std::tanh(1 + squareness * 4);
        b[i] = s * std::exp(-t * 30) * std::min(1.0f, t * 600);
    }
    return b;
}

Buf TwoNote(float fa, float fb, float len) {
    Buf a = Blip(fa, len * 0.5f, 0.5f), c = Blip(fb, len, 0.5f);
    Buf b = Make(len * 1.4f);
    for (size_t i = 0; i < a.size(); i++) b[i] += a[i] * 0.8f;
    size_t off = (size_t)(len * 0.45f * SR);
    for (size_t i = 0; i < c.size() && off + i < b.size(); i++) b[off + i] += c[i];
    return b;
}

// A bell-like arpeggio: the jingle for the loading screen and the end of a game.
Buf Jingle() {
    Buf b = Make(1.6f);
    const float notes[5] = {72, 76, 79, 84, 88};
    const float at[5] = {0, 0.1f, 0.2f, 0.3f, 0.42f};
    for (int n = 0; n < 5; n++) {
        float f = Midi(notes[n]);
        float ph1 = 0, ph2 = 0;
        for (size_t i = (size_t)(at[n] * SR); i < b.size(); i++) {
            float t = (float)i / SR - at[n];
            ph1 += 2 * kPi * f / SR;
            ph2 += 2 * kPi * f * 3.0f / SR;
            float env = std::exp(-t * (n == 4 ? 2.5f : 5.0f)) * std::min(1.0f, t * 300);
            b[i] += (std::sin(ph1) + 0.3f * std::sin(ph2) * std::exp(-t * 8)) * env * (n == 4 ? 1.0f : 0.7f);
        }
    }
    return b;
}

// ---- The tune ----

struct Mix2 {  // a stereo loop buffer; everything written past the end wraps to the start
    Buf l, r;
    explicit Mix2(size_t n) : l(n, 0.0f), r(n, 0.0f) {}
    void Add(size_t i, float s, float pan) {  // pan -1 left .. 1 right
        size_t k = i % l.size();
        l[k] += s * std::sqrt(0.5f * (1 - pan));
        r[k] += s * std::sqrt(0.5f * (1 + pan));
    }
};

const float kBeat = 0.5f;  // 120 beats a minute
const float kEighth = kBeat / 2;
const int kBars = 32;

struct Note {
    int pitch;   // MIDI, -1 rest
    int eighths; // length
};

// The melody, eight bars a line.
const std::vector<std::vector<Note>>& Melody() {
    static const std::vector<std::vector<Note>> m = {
        // A: C Am F G C Am F G
        {{76, 2}, {79, 2}, {84, 3}, {79, 1}}, {{81, 2}, {79, 1}, {76, 1}, {72, 4}},
        {{77, 2}, {81, 2}, {84, 2}, {81, 1}, {79, 1}}, {{79, 3}, {77, 1}, {76, 2}, {74, 2}},
        {{76, 2}, {79, 2}, {84, 3}, {86, 1}}, {{88, 2}, {86, 1}, {84, 1}, {81, 4}},
        {{77, 1}, {79, 1}, {81, 1}, {84, 1}, {86, 2}, {84, 2}}, {{83, 4}, {79, 2}, {-1, 2}},
        // B: F G Em Am F G C C
        {{81, 1}, {84, 1}, {81, 1}, {77, 1}, {81, 4}}, {{79, 1}, {83, 1}, {79, 1}, {74, 1}, {79, 4}},
        {{76, 1}, {79, 1}, {83, 1}, {79, 1}, {76, 2}, {71, 2}}, {{72, 2}, {76, 2}, {81, 4}},
        {{77, 2}, {81, 2}, {84, 2}, {89, 2}}, {{88, 2}, {86, 2}, {83, 2}, {79, 2}},
        {{84, 3}, {79, 1}, {76, 2}, {79, 2}}, {{84, 6}, {-1, 2}},
        // A again
        {{76, 2}, {79, 2}, {84, 3}, {79, 1}}, {{81, 2}, {79, 1}, {76, 1}, {72, 4}},
        {{77, 2}, {81, 2}, {84, 2}, {81, 1}, {79, 1}}, {{79, 3}, {77, 1}, {76, 2}, {74, 2}},
        {{76, 2}, {79, 2}, {84, 3}, {86, 1}}, {{88, 2}, {86, 1}, {84, 1}, {81, 4}},
        {{77, 1}, {79, 1}, {81, 1}, {84, 1}, {86, 2}, {84, 2}}, {{84, 6}, {-1, 2}},
        // C: Dm G C Am Dm G C G, leading back to the start
        {{74, 2}, {77, 2}, {81, 2}, {77, 2}}, {{79, 2}, {83, 2}, {86, 2}, {83, 2}},
        {{84, 1}, {83, 1}, {84, 1}, {86, 1}, {88, 4}}, {{81, 2}, {84, 2}, {88, 2}, {86, 1}, {84, 1}},
        {{86, 3}, {84, 1}, {81, 2}, {77, 2}}, {{79, 3}, {81, 1}, {83, 2}, {86, 2}},
        {{84, 2}, {79, 2}, {76, 2}, {72, 2}}, {{74, 4}, {79, 2}, {71, 2}},
    };
    return m;
}

struct Chord {
    int root;          // bass note
    int tones[3];      // pluck voicing
};

Chord ChordOf(int bar) {
    static const char* prog = "CAFGCAFG" "FGEAFGCC" "CAFGCAFG" "DGCADGCG";
    switch (prog[bar]) {
        case 'C': return {48, {60, 64, 67}};
        case 'A': return {45, {57, 60, 64}};
        case 'F': return {41, {57, 60, 65}};
        case 'G': return {43, {55, 59, 62}};
        case 'E': return {40, {55, 59, 64}};
        default: return {50, {57, 62, 65}};  // D minor
    }
}

// A plucked string (Karplus-Strong): noise in a delay line that averages itself down.
void Pluck(Mix2& m, size_t at, float f, float len, float gain, float pan, uint32_t seed) {
    Rng r(seed);
    int p = std::max(2, (int)std::lround(SR / f));
    Buf line(p);
    for (float& s : line) s = r.R(-1, 1);
    size_t n = (size_t)(len * SR);
    float prev = 0;
    for (size_t i = 0; i < n; i++) {
        int k = (int)(i % p);
        float s = line[k];
        float nx = line[(k + 1) % p];
        line[k] = 0.5f * (s + nx) * 0.996f;
        float out = 0.6f * s + 0.4f * prev;  // soften the top a little
        prev = s;
        float env = std::min(1.0f, (float)i / 40) * (i > n - 400 ? (float)(n - i) / 400 : 1.0f);
        m.Add(at + i, out * gain * env, pan);
    }
}

void Whistle(Mix2& m, size_t at, float f, float len, float gain, float pan) {
    size_t n = (size_t)((len + 0.06f) * SR);
    float ph = 0;
    for (size_t i = 0; i < n; i++) {
        float t = (float)i / SR;
        float vib = 1 + 0.006f * std::sin(2 * kPi * 5.5f * t) * Smooth(0.1f, 0.3f, t);
        ph += 2 * kPi * f * vib / SR;
        float env = Smooth(0, 0.018f, t) * (t > len ? std::exp(-(t - len) * 60) : 1.0f) * (1 - 0.25f * Clamp01(t / 1.5f));
        float s = std::sin(ph) + 0.18f * std::sin(2 * ph) + 0.07f * std::sin(3 * ph);
        m.Add(at + i, s * env * gain, pan);
    }
}

void Marimba(Mix2& m, size_t at, float f, float gain, float pan) {
    size_t n = (size_t)(0.5f * SR);
    float p1 = 0, p2 = 0;
    for (size_t i = 0; i < n; i++) {
        float t = (float)i / SR;
        p1 += 2 * kPi * f / SR;
        p2 += 2 * kPi * f * 3.9f / SR;
        float s = std::sin(p1) * std::exp(-t * 9) + 0.35f * std::sin(p2) * std::exp(-t * 30);
        m.Add(at + i, s * gain * std::min(1.0f, t * 800), pan);
    }
}

void Bass(Mix2& m, size_t at, float f, float len, float gain) {
    size_t n = (size_t)(len * SR);
    float ph = 0;
    for (size_t i = 0; i < n; i++) {
        float t = (float)i / SR;
        ph += 2 * kPi * f / SR;
        float tri = 2 / kPi * std::asin(std::sin(ph));
        float s = 0.7f * tri + 0.5f * std::sin(ph) + 0.15f * std::sin(2 * ph);
        float env = std::min(1.0f, t * 300) * std::exp(-t * 3) * std::min(1.0f, (len - t) * 80);
        m.Add(at + i, s * env * gain, 0);
    }
}

void Kick(Mix2& m, size_t at, float gain) {
    size_t n = (size_t)(0.25f * SR);
    float ph = 0;
    for (size_t i = 0; i < n; i++) {
        float t = (float)i / SR;
        ph += 2 * kPi * (48 + 110 * std::exp(-t * 35)) / SR;
        m.Add(at + i, std::sin(ph) * std::exp(-t * 14) * gain * std::min(1.0f, t * 2000), 0);
    }
}

void Snare(Mix2& m, size_t at, float gain, Rng& r) {
    size_t n = (size_t)(0.2f * SR);
    OnePole hp(1200);
    float ph = 0;
    for (size_t i = 0; i < n; i++) {
        float t = (float)i / SR;
        ph += 2 * kPi * 190 / SR;
        float s = hp.High(r.R(-1, 1)) * std::exp(-t * 22) + 0.5f * std::sin(ph) * std::exp(-t * 30);
        m.Add(at + i, s * gain * std::min(1.0f, t * 2000), 0.1f);
    }
}

void Hat(Mix2& m, size_t at, float gain, float len, Rng& r) {
    size_t n = (size_t)(len * SR);
    OnePole hp(7000);
    for (size_t i = 0; i < n; i++) {
        float t = (float)i / SR;
        m.Add(at + i, hp.High(r.R(-1, 1)) * std::exp(-t * 60 / len * 0.05f) * gain * std::min(1.0f, t * 3000), 0.3f);
    }
}

void Tune(Mix2& m) {
    auto at = [](int bar, float eighth) { return (size_t)((bar * 8 + eighth) * kEighth * SR); };
    Rng dr(77);
    for (int bar = 0; bar < kBars; bar++) {
        Chord c = ChordOf(bar);
        int section = bar / 8;
        // Bass: root, octave bounce, fifth.
        float root = Midi((float)c.root);
        Bass(m, at(bar, 0), root, 0.45f, 0.42f);
        Bass(m, at(bar, 3), root * 2, 0.2f, 0.3f);
        Bass(m, at(bar, 4), root * 1.4983f, 0.45f, 0.38f);
        Bass(m, at(bar, 6), root, 0.2f, 0.36f);
        Bass(m, at(bar, 7), root * 2, 0.2f, 0.28f);
        // Plucked chords on the off-beats.
        for (int e = 1; e < 8; e += 2)
            for (int k = 0; k < 3; k++)
                Pluck(m, at(bar, (float)e) + k * 220, Midi((float)c.tones[k]), 0.5f, 0.17f, -0.35f + k * 0.1f,
                      (uint32_t)(bar * 97 + e * 13 + k));
        // Drums.
        Kick(m, at(bar, 0), 0.62f);
        Kick(m, at(bar, 4), 0.55f);
        if (section == 1 || section == 3) Kick(m, at(bar, 5), 0.3f);
        Snare(m, at(bar, 2), 0.3f, dr);
        Snare(m, at(bar, 6), 0.3f, dr);
        if (bar % 8 == 7) {
            Snare(m, at(bar, 7), 0.22f, dr);
            Snare(m, at(bar, 7.5f), 0.18f, dr);
        }
        for (int e = 0; e < 8; e++) Hat(m, at(bar, (float)e), e % 2 ? 0.1f : 0.06f, 0.05f, dr);
        // Melody.
        const std::vector<Note>& line = Melody()[bar];
        float pos = 0;
        for (const Note& n : line) {
            if (n.pitch > 0) {
                float len = n.eighths * kEighth * 0.92f;
                Whistle(m, at(bar, pos), Midi((float)n.pitch), len, section == 3 ? 0.2f : 0.22f, 0.1f);
                // A marimba doubles the tune an octave down in the repeat and the bridge.
                if (section >= 2) Marimba(m, at(bar, pos), Midi((float)n.pitch - 12), 0.16f, -0.2f);
            }
            pos += n.eighths;
        }
        // Marimba sparkles in the B part: the chord tones going up.
        if (section == 1)
            for (int e = 0; e < 8; e++)
                Marimba(m, at(bar, (float)e), Midi((float)c.tones[e % 3] + 12 + (e >= 3 ? 12 : 0) * (e % 2)), 0.07f, 0.4f);
    }
}

// A short stereo echo, run twice round the loop so its tail wraps in too.
void Echo(Mix2& m) {
    size_t n = m.l.size(), d = (size_t)(0.375f * SR);
    Buf el(n, 0.0f), er(n, 0.0f);
    for (int pass = 0; pass < 2; pass++)
        for (size_t i = 0; i < n; i++) {
            size_t j = (i + n - d) % n;
            el[i] = (m.r[j] + er[j] * 0.35f) * 0.5f;  // ping-pong
            er[i] = (m.l[j] + el[j] * 0.35f) * 0.5f;
        }
    for (size_t i = 0; i < n; i++) {
        m.l[i] += el[i] * 0.22f;
        m.r[i] += er[i] * 0.22f;
    }
}

bool WriteOgg(const std::string& path, const Mix2& m) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 2, SR, 0.35f) != 0) return false;
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", "syrup");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x53595250);  // a fixed serial number keeps the file identical run to run
    std::vector<uint8_t> out;
    auto flushPages = [&](bool force) {
        ogg_page og;
        while (force ? ogg_stream_flush(&os, &og) : ogg_stream_pageout(&os, &og)) {
            out.insert(out.end(), og.header, og.header + og.header_len);
            out.insert(out.end(), og.body, og.body + og.body_len);
        }
    };
    ogg_packet hdr, hdrComm, hdrCode;
    vorbis_analysis_headerout(&vd, &vc, &hdr, &hdrComm, &hdrCode);
    ogg_stream_packetin(&os, &hdr);
    ogg_stream_packetin(&os, &hdrComm);
    ogg_stream_packetin(&os, &hdrCode);
    flushPages(true);
    size_t n = m.l.size(), pos = 0;
    for (;;) {
        size_t chunk = std::min<size_t>(4096, n - pos);
        if (chunk == 0) {
            vorbis_analysis_wrote(&vd, 0);
        } else {
            float** buf = vorbis_analysis_buffer(&vd, (int)chunk);
            for (size_t i = 0; i < chunk; i++) {
                buf[0][i] = m.l[pos + i];
                buf[1][i] = m.r[pos + i];
            }
            vorbis_analysis_wrote(&vd, (int)chunk);
            pos += chunk;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                flushPages(false);
            }
        }
        if (chunk == 0) break;
    }
    flushPages(true);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return WriteFile(path, out);
}

void MakeTune(const Out& o) {
    Mix2 m((size_t)(kBars * 8 * kEighth * SR));
    Tune(m);
    Echo(m);
    float peak = 0;
    for (size_t i = 0; i < m.l.size(); i++) peak = std::max(peak, std::max(std::fabs(m.l[i]), std::fabs(m.r[i])));
    // Leave room for the encoder's small overshoots.
    float k = 0.8f / peak;
    for (size_t i = 0; i < m.l.size(); i++) {
        m.l[i] *= k;
        m.r[i] *= k;
    }
    if (!WriteOgg(o.data + "/525/sfx/syrup.ogg", m)) {
        std::fprintf(stderr, "cannot write the tune\n");
        std::exit(1);
    }
    std::printf("  525/sfx/syrup.ogg\n");
}

}  // namespace

void MakeSounds(const Out& o) {
    Save(o, "525/sfx/001.wav", Squawk(900, 620, 0.32f, 38, 0.7f, 1));
    Save(o, "525/sfx/002.wav", Squawk(1700, 2600, 0.3f, 20, 0.2f, 2, 2));
    Save(o, "525/sfx/003.wav", Squawk(620, 430, 0.38f, 52, 1.0f, 3));
    Save(o, "525/sfx/004.wav", Thwack());
    Save(o, "525/sfx/005.wav", Land());
    Save(o, "525/sfx/006.wav", Putt());
    Save(o, "525/sfx/010.wav", Plop(260, 820, 0.22f, 40));
    Save(o, "525/sfx/011.wav", Plop(420, 1200, 0.18f, 55));
    Save(o, "525/sfx/012.wav", Rattle());
    Save(o, "525/sfx/013.wav", Ding());
    Save(o, "common/095.wav", Blip(880, 0.09f, 0.1f));
    Save(o, "common/096.wav", Jingle());
    Save(o, "common/098.wav", Blip(660, 0.07f, 0.6f));
    Save(o, "common/099.wav", TwoNote(660, 990, 0.14f));
    MakeTune(o);
}

}  // namespace ag
