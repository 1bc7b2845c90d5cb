{ Reads what the C++ side wrote, with Free Pascal's Classes unit:
    peer_read bin2txt IN OUT     ObjectBinaryToText
    peer_read txt2bin IN OUT     ObjectTextToBinary
    peer_read reread IN OUT      reads a component stream into the peer components (TReader)
                                 and writes them again (TWriter)
    peer_read res16 IN OUT       the same from a 16-bit resource file (ReadComponentRes)
    peer_read res32 IN NAME OUT  the data of resource NAME of a 32-bit resource file (fcl-res)
  Any failure prints the exception and exits with code 1. }
program peer_read;
{$mode objfpc}{$H+}
uses Classes, SysUtils, Variants, resource, resreader, PeerForms;

procedure Convert(Text: Boolean);
var Input, Output: TFileStream;
begin
  Input := TFileStream.Create(ParamStr(2), fmOpenRead);
  Output := TFileStream.Create(ParamStr(3), fmCreate);
  try
    if Text then ObjectBinaryToText(Input, Output) else ObjectTextToBinary(Input, Output);
  finally
    Input.Free; Output.Free;
  end;
end;

procedure Reread(FromResource: Boolean);
var Input, Output: TFileStream; C: TComponent;
begin
  Input := TFileStream.Create(ParamStr(2), fmOpenRead);
  Output := TFileStream.Create(ParamStr(3), fmCreate);
  try
    if FromResource then C := Input.ReadComponentRes(nil) else C := Input.ReadComponent(nil);
    Output.WriteComponent(C);
    C.Free;
  finally
    Input.Free; Output.Free;
  end;
end;

procedure ExtractRes32;
var Res: TResources; Reader: TResResourceReader; Item: TAbstractResource; Output: TFileStream;
begin
  Res := TResources.Create;
  Reader := TResResourceReader.Create;
  try
    Res.LoadFromFile(ParamStr(2), Reader);
    Item := Res.Find(RT_RCDATA, ParamStr(3));
    Output := TFileStream.Create(ParamStr(4), fmCreate);
    try
      Item.RawData.Position := 0;
      Output.CopyFrom(Item.RawData, Item.RawData.Size);
    finally
      Output.Free;
    end;
  finally
    Res.Free;
    Reader.Free;
  end;
end;

begin
  try
    if ParamStr(1) = 'bin2txt' then Convert(True)
    else if ParamStr(1) = 'txt2bin' then Convert(False)
    else if ParamStr(1) = 'reread' then Reread(False)
    else if ParamStr(1) = 'res16' then Reread(True)
    else if ParamStr(1) = 'res32' then ExtractRes32
    else raise Exception.Create('unknown command ' + ParamStr(1));
  except
    on E: Exception do
    begin
      WriteLn(StdErr, E.ClassName, ': ', E.Message);
      Halt(1);
    end;
  end;
end.
