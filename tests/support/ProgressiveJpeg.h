#pragma once
// A photo as a hostile server may send it: a progressive JPEG of one grey whose picture is
// decoded whole once per scan, in as many scans as the sender likes. After one scan of the DC
// coefficients, each scan is a handful of end-of-band runs, a few bytes that a decoder still goes
// through block by block: 1,000 scans of 4096 x 4096 pixels fit in about 70 KB.
#include <iterator>
#include <vector>

namespace progressive_jpeg {

// Bits written from the most significant down, each 0xFF byte followed by a stuffed 0x00.
class Bits {
public:
    explicit Bits(std::vector<unsigned char>& out) : out_(out) {}
    void put(unsigned value, int count)
    {
        while (count-- > 0) {
            byte_ = (byte_ << 1) | ((value >> count) & 1);
            if (++filled_ == 8)
                flush_byte();
        }
    }
    // Pads the last byte with ones, as the end of coded data is.
    void finish()
    {
        while (filled_ != 0)
            put(1, 1);
    }

private:
    void flush_byte()
    {
        out_.push_back((unsigned char)byte_);
        if (byte_ == 0xFF)
            out_.push_back(0);
        byte_ = 0;
        filled_ = 0;
    }
    std::vector<unsigned char>& out_;
    unsigned byte_ = 0;
    int filled_ = 0;
};

inline void segment(std::vector<unsigned char>& out, unsigned char marker,
                    const std::vector<unsigned char>& body)
{
    const size_t length = body.size() + 2;
    const unsigned char head[] = {0xFF, marker, (unsigned char)(length >> 8),
                                  (unsigned char)length};
    out.insert(out.end(), std::begin(head), std::end(head));
    out.insert(out.end(), body.begin(), body.end());
}

} // namespace progressive_jpeg

// width and height multiples of 8; scans at least 1.
inline std::vector<unsigned char> manyScanJpeg(int width, int height, int scans)
{
    using namespace progressive_jpeg;
    std::vector<unsigned char> out = {0xFF, 0xD8};
    std::vector<unsigned char> quantisation = {0x00};
    quantisation.resize(65, 1);
    segment(out, 0xDB, quantisation);
    segment(out, 0xC2, // progressive, 8 bits, one component
            {8, (unsigned char)(height >> 8), (unsigned char)height, (unsigned char)(width >> 8),
             (unsigned char)width, 1, 1, 0x11, 0});
    // DC: difference category 0 alone, code "0". AC: "0" for a run of 2^14 blocks and more,
    // 5-bit codes for the runs of 2^0 to 2^13.
    std::vector<unsigned char> dc = {0x00, 1};
    dc.resize(17, 0);
    dc.push_back(0x00);
    segment(out, 0xC4, dc);
    std::vector<unsigned char> ac = {0x10, 1, 0, 0, 0, 14};
    ac.resize(17, 0);
    ac.push_back(0xE0);
    for (unsigned r = 0; r < 14; ++r)
        ac.push_back((unsigned char)(r << 4));
    segment(out, 0xC4, ac);

    const long blocks = long(width / 8) * (height / 8);
    segment(out, 0xDA, {1, 1, 0x00, 0, 0, 0x00});
    {
        Bits bits(out);
        for (long i = 0; i < blocks; ++i)
            bits.put(0, 1);
        bits.finish();
    }
    for (int scan = 1; scan < scans; ++scan) {
        segment(out, 0xDA, {1, 1, 0x00, 1, 63, 0x00});
        Bits bits(out);
        for (long left = blocks; left > 0;) {
            const long run = left < 32767 ? left : 32767;
            int r = 0;
            while ((2L << r) <= run)
                ++r;
            if (r == 14)
                bits.put(0, 1);
            else
                bits.put(0x10 | unsigned(r), 5);
            bits.put(unsigned(run - (1L << r)), r);
            left -= run;
        }
        bits.finish();
    }
    out.push_back(0xFF);
    out.push_back(0xD9);
    return out;
}
