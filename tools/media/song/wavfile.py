"""Reading the float WAV files fluidsynth writes and writing the 16-bit one
lame reads. The standard library's wave module knows integer PCM only."""

import struct

import numpy as np

FORMAT_PCM = 1
FORMAT_FLOAT = 3
FORMAT_EXTENSIBLE = 0xFFFE
PCM16_FULL_SCALE = 32767


def read(path):
    """Samples as float64 of shape (frames, channels), and the rate."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise SystemExit(f"{path}: not a WAV file")
    at = 12
    fmt = None
    while at + 8 <= len(data):
        chunk, size = data[at:at + 4], struct.unpack("<I", data[at + 4:at + 8])[0]
        body = data[at + 8:at + 8 + size]
        if chunk == b"fmt ":
            tag, channels, rate, _, _, bits = struct.unpack("<HHIIHH", body[:16])
            if tag == FORMAT_EXTENSIBLE:
                tag = struct.unpack("<H", body[24:26])[0]
            fmt = (tag, channels, rate, bits)
        elif chunk == b"data":
            if fmt is None:
                raise SystemExit(f"{path}: data before format")
            tag, channels, rate, bits = fmt
            if tag == FORMAT_FLOAT and bits == 32:
                samples = np.frombuffer(body, dtype="<f4").astype(np.float64)
            elif tag == FORMAT_PCM and bits == 16:
                samples = np.frombuffer(body, dtype="<i2") / (PCM16_FULL_SCALE + 1.0)
            else:
                raise SystemExit(f"{path}: unsupported WAV format {tag}/{bits} bits")
            usable = len(samples) - len(samples) % channels
            return samples[:usable].reshape(-1, channels), rate
        at += 8 + size + (size & 1)
    raise SystemExit(f"{path}: no audio data")


def write_pcm16(path, samples, rate):
    """samples: float array (frames, channels) already within -1..1."""
    pcm = np.round(np.clip(samples, -1.0, 1.0) * PCM16_FULL_SCALE).astype("<i2")
    frames, channels = pcm.shape
    body = pcm.tobytes()
    header = b"RIFF" + struct.pack("<I", 36 + len(body)) + b"WAVE"
    header += b"fmt " + struct.pack("<IHHIIHH", 16, FORMAT_PCM, channels, rate,
                                    rate * channels * 2, channels * 2, 16)
    header += b"data" + struct.pack("<I", len(body))
    with open(path, "wb") as f:
        f.write(header + body)
