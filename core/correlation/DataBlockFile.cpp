#include "core/correlation/DataBlockFile.h"

#include <algorithm>
#include <array>

#include "core/fileio/AtomicFileWriter.h"
#include "core/fileio/InputFile.h"

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

bool StreamDataBlockFile(const std::filesystem::path& path, const std::function<void(const DataBlockRecord&)>& take,
                         std::string& error)
{
    InputFile file(path, kMaxBlocksInFile * kDataBlockRecordBytes);
    if (!file.IsOpen()) {
        error = file.Error();
        return false;
    }
    if (file.Size() % kDataBlockRecordBytes != 0) {
        error = path.string() + ": " + std::to_string(file.Size()) + " bytes is not a whole number of " +
                std::to_string(kDataBlockRecordBytes) + "-byte records (the last record is short)";
        return false;
    }
    std::array<uint8_t, kDataBlockRecordBytes> image{};
    for (uint64_t left = file.Size() / kDataBlockRecordBytes; left > 0; --left) {
        if (file.Read(image) != image.size()) {
            error = file.Error().empty() ? path.string() + ": the file became shorter while it was read" : file.Error();
            return false;
        }
        take(ParseDataBlock(image));
    }
    return true;
}

bool ReadDataBlockFile(const std::filesystem::path& path, std::vector<DataBlockRecord>& blocks, std::string& error)
{
    std::vector<DataBlockRecord> read;
    if (!StreamDataBlockFile(
            path, [&read](const DataBlockRecord& block) { read.push_back(block); }, error)) {
        return false;
    }
    blocks = std::move(read);
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
