#include "core/correlation/DataBlockFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/fileio/AtomicFileWriter.h"

namespace korvanta {

DataBlockRecord ParseDataBlock(std::span<const uint8_t, kDataBlockRecordBytes> image)
{
    DataBlockRecord block;
    block.unit = image[0];
    block.status = image[1];
    block.battery = image[2];
    block.pad0 = image[3];
    block.blockNumber = static_cast<uint16_t>(image[4] | image[5] << 8);
    block.exponent = static_cast<int8_t>(image[6]);
    block.pad1 = image[7];
    block.payloadLength = static_cast<uint16_t>(image[8] | image[9] << 8);
    std::copy(image.begin() + 10, image.end(), block.payload);
    return block;
}

void FormatDataBlock(const DataBlockRecord& block, std::span<uint8_t, kDataBlockRecordBytes> image)
{
    image[0] = block.unit;
    image[1] = block.status;
    image[2] = block.battery;
    image[3] = block.pad0;
    image[4] = static_cast<uint8_t>(block.blockNumber & 0xFF);
    image[5] = static_cast<uint8_t>(block.blockNumber >> 8);
    image[6] = static_cast<uint8_t>(block.exponent);
    image[7] = block.pad1;
    image[8] = static_cast<uint8_t>(block.payloadLength & 0xFF);
    image[9] = static_cast<uint8_t>(block.payloadLength >> 8);
    std::copy(std::begin(block.payload), std::end(block.payload), image.begin() + 10);
}

bool ReadDataBlockFile(const std::filesystem::path& path, std::vector<DataBlockRecord>& blocks, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path.string();
        return false;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "cannot read " + path.string();
        return false;
    }
    if (bytes.size() % kDataBlockRecordBytes != 0) {
        error = path.string() + ": " + std::to_string(bytes.size()) + " bytes is not a whole number of " +
                std::to_string(kDataBlockRecordBytes) + "-byte records (the last record is short)";
        return false;
    }
    blocks.clear();
    for (size_t offset = 0; offset < bytes.size(); offset += kDataBlockRecordBytes) {
        blocks.push_back(ParseDataBlock(
            std::span<const uint8_t, kDataBlockRecordBytes>(bytes.data() + offset, kDataBlockRecordBytes)));
    }
    return true;
}

bool WriteDataBlockFile(const std::filesystem::path& path, std::span<const DataBlockRecord> blocks, std::string& error)
{
    std::vector<uint8_t> bytes(blocks.size() * kDataBlockRecordBytes);
    for (size_t i = 0; i < blocks.size(); ++i) {
        FormatDataBlock(blocks[i], std::span<uint8_t, kDataBlockRecordBytes>(bytes.data() + i * kDataBlockRecordBytes,
                                                                             kDataBlockRecordBytes));
    }
    return WriteFileAtomically(path, bytes, error);
}

}  // namespace korvanta
